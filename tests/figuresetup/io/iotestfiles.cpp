#include "iotestfiles.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxcontentmgr.h"

#include <QDir>
#include <QFile>

#include <functional>

QByteArray smallObj(const QStringList& groups)
{
    QByteArray obj;
    for (int g = 0; g < groups.size(); ++g) {
        obj += QStringLiteral("v %1 0 0\nv %2 0 0\nv %1 1 0\n").arg(g).arg(g + 1).toUtf8();
        obj += "g " + groups[g].toUtf8() + '\n';
        obj += QStringLiteral("f %1 %2 %3\n").arg(3 * g + 1).arg(3 * g + 2).arg(3 * g + 3).toUtf8();
    }
    return obj;
}

void IoTest::SetUp()
{
    VxAppTest::SetUp();
    QDir().mkpath(tempPath(QStringLiteral("content/Runtime/Geometries")));
    QDir().mkpath(tempPath(QStringLiteral("content2/Runtime/Geometries")));
    VxContentMgr* content = m_app->getContentMgr();
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("content"))));
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("content2"))));
}

QString IoTest::writeMesh(const QString& relative, const QStringList& groups) const
{
    return writeFile(relative, smallObj(groups));
}

QStringList outline(const VxFSHierarchy& hierarchy)
{
    QStringList lines;
    std::function<void(const VxFSHierarchyItem*, int)> walk = [&](const VxFSHierarchyItem* bone, int level) {
        for (; bone; bone = bone->getNextSibling()) {
            lines.append(QString(2 * level, QLatin1Char(' ')) + bone->getName());
            walk(bone->getFirstChild(), level + 1);
        }
    };
    walk(hierarchy.getFirstBone(), 0);
    return lines;
}
