#include "iotestfiles.h"

#include "vxmessageboxanswerer.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"

#include "vxcontentmgr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include <sys/stat.h>

namespace {

void walkBones(const VxFSHierarchyItem* bone, int level, const std::function<void(const VxFSHierarchyItem*, int)>& visit)
{
    for (; bone; bone = bone->getNextSibling()) {
        visit(bone, level);
        walkBones(bone->getFirstChild(), level + 1, visit);
    }
}

} // namespace

QStringList outline(const VxFSHierarchy& hierarchy)
{
    QStringList lines;
    walkBones(hierarchy.getFirstBone(), 0, [&lines](const VxFSHierarchyItem* bone, int level) {
        lines.append(QString(2 * level, QLatin1Char(' ')) + bone->getName());
    });
    return lines;
}

QStringList details(const VxFSHierarchy& hierarchy)
{
    QStringList lines;
    walkBones(hierarchy.getFirstBone(), 0, [&lines](const VxFSHierarchyItem* bone, int level) {
        QString line = QString(2 * level, QLatin1Char(' ')) + bone->getName() + QLatin1Char(' ')
                       + bone->getRotationOrder().toString() + (bone->getCurve() ? QStringLiteral(" curve") : QString());
        if (const VxFSGeomGroup* group = bone->getGeomGroup())
            line += QLatin1Char(' ') + QFileInfo(group->getGeomItem()->getPath()).fileName() + QLatin1Char(':') + group->getName();
        lines.append(line);
    });
    for (int i = 0; i < hierarchy.getNumIKChains(); ++i) {
        const VxFSHierarchyIKChain* chain = hierarchy.getIKChain(i);
        lines.append(QStringLiteral("ikChain ") + chain->getName() + (chain->isActive() ? QString() : QStringLiteral(" off")));
        for (int j = 0; j < chain->getNumLinks(); ++j)
            lines.last() += QStringLiteral(" %1*%2").arg(chain->getLink(j)->getBone()->getName()).arg(double(chain->getLink(j)->getWeight()));
    }
    return lines;
}

int deepestLevel(const VxFSHierarchy& hierarchy)
{
    int deepest = 0;
    walkBones(hierarchy.getFirstBone(), 1, [&deepest](const VxFSHierarchyItem*, int level) {
        deepest = qMax(deepest, level);
    });
    return deepest;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void IoTest::SetUp()
{
    VxAppTest::SetUp();
    for (const char* folder : {"content", "content2"}) {
        QDir().mkpath(tempPath(QString::fromLatin1(folder) + QStringLiteral("/Runtime/Geometries")));
        ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectory(tempPath(QString::fromLatin1(folder))));
    }
}

QString IoTest::writeMesh(const QString& relative, const QStringList& groups) const
{
    QByteArray obj;
    for (int g = 0; g < groups.size(); ++g) {
        obj += QStringLiteral("v %1 0 0\nv %2 0 0\nv %1 1 0\n").arg(g).arg(g + 1).toUtf8();
        obj += "g " + groups[g].toUtf8() + '\n';
        obj += QStringLiteral("f %1 %2 %3\n").arg(3 * g + 1).arg(3 * g + 2).arg(3 * g + 3).toUtf8();
    }
    return writeFile(relative, obj);
}

QString IoTest::namedPipe(const QString& relative) const
{
    const QString path = tempPath(relative);
    EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << qPrintable(path);
    return path;
}

void IoTest::expectOneBox(const VxMessageBoxAnswerer& answerer, const QString& title, const QString& text,
                          const QString& logPrefix) const
{
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, title);
    EXPECT_EQ(answerer.seen()[0].text, text);
    EXPECT_EQ(answerer.seen()[0].clicked, QStringLiteral("Ok"));
    if (!logPrefix.isEmpty()) {
        EXPECT_TRUE(loggedLines().contains(logPrefix + text)) << qPrintable(loggedLines().join(QLatin1Char('\n')));
    }
}
