#include "copyapplytest.h"

#include "vxscene.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

void CopyApplyTest::SetUp()
{
    BuildTest::SetUp();
    m_pool = std::make_unique<VxFSHierarchy>(QStringLiteral("Pool"));
    m_base = m_pool->addGeometry(vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj")));
    ASSERT_NE(m_base, nullptr);
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("prop%1").arg(i);
        const QString path = writeFile(QStringLiteral("alternates/%1.obj").arg(name), testObj({name}));
        VxFSGeomItem* item = m_pool->addGeometry(path);
        ASSERT_NE(item, nullptr);
        m_alternates.append(item);
    }
}

void CopyApplyTest::TearDown()
{
    m_pool.reset();
    BuildTest::TearDown();
}

std::unique_ptr<VxFSHierarchy> CopyApplyTest::newDocument(VxFSHierarchy* from)
{
    VxFSHierarchy* source = from ? from : m_pool.get();
    auto document = std::make_unique<VxFSHierarchy>();
    moveGeometry(*source, *document);
    return document;
}

void CopyApplyTest::giveBack(VxFSHierarchy& document)
{
    moveGeometry(document, *m_pool);
}

void CopyApplyTest::moveGeometry(VxFSHierarchy& from, VxFSHierarchy& to)
{
    // Adding an item to a document takes it from the one that held it; an item that stays
    // behind ends the loop instead of spinning in it.
    while (from.getNumGeometries() > 0 && to.addGeometryItem(from.getGeometry(0))) {
    }
    EXPECT_EQ(from.getNumGeometries(), 0) << "geometry left behind when moving it to another document";
}

VxSkeleton* CopyApplyTest::build(VxFSHierarchy& document)
{
    const int before = m_scene->getNumNodes();
    document.createFigure(false);
    return before < m_scene->getNumNodes() ? qobject_cast<VxSkeleton*>(m_scene->getNode(before)) : nullptr;
}

std::unique_ptr<VxFSHierarchy> CopyApplyTest::copyOf(VxSkeleton* figure, VxFSHierarchy& from)
{
    std::unique_ptr<VxFSHierarchy> copy = newDocument(&from);
    if (auto* legacy = qobject_cast<VxLegacyFigure*>(figure))
        VxFSFigureCopier::copyFromParametricFigure(copy.get(), legacy);
    else if (auto* skin = qobject_cast<VxFigure*>(figure))
        VxFSFigureCopier::copyFromSkinFigure(copy.get(), skin);
    return copy;
}

namespace {
QtMessageHandler g_previousHandler = nullptr;

// Qt's offscreen platform remarks on every message box it shows; a test that answers a
// hundred of them would drown its own output.
void dropOffscreenRemarks(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

QList<VxMessageBoxAnswerer::Seen> CopyApplyTest::apply(VxFSHierarchy& document, VxNode* selected, const QString& answer)
{
    m_scene->selectAllNodes(false);
    if (selected)
        selected->select(true);
    VxMessageBoxAnswerer answerer;
    answerer.queueAnswer(answer);
    g_previousHandler = qInstallMessageHandler(dropOffscreenRemarks);
    document.createFigure(true);
    qInstallMessageHandler(g_previousHandler);
    return answerer.seen();
}

namespace {
QJsonObject withChainGoals(QJsonObject node)
{
    QJsonArray items = node.value(QStringLiteral("dataItems")).toArray();
    QJsonArray ikSystem;
    for (int i = 0; i < items.size(); ++i) {
        QJsonObject item = items[i].toObject();
        if (item.value(QStringLiteral("type")).toString() != QLatin1String("VxLegacyIKChains"))
            continue;
        QJsonArray chains = item.value(QStringLiteral("chains")).toArray();
        for (int c = 0; c < chains.size(); ++c) {
            QJsonObject chain = chains[c].toObject();
            const QJsonValue goal = chain.value(QStringLiteral("goal"));
            QJsonArray links = chain.value(QStringLiteral("links")).toArray();
            if (!goal.isNull())
                links.append(QJsonObject{{QStringLiteral("bone"), goal}, {QStringLiteral("weight"), 0}});
            chain.insert(QStringLiteral("links"), links);
            chains[c] = chain;
            if (chain.value(QStringLiteral("active")).toBool() && !goal.isNull()) {
                QJsonArray names;
                for (const QJsonValue& link : links) {
                    const QJsonValue bone = link.toObject().value(QStringLiteral("bone"));
                    if (!bone.isNull())
                        names.append(bone);
                }
                ikSystem.append(QJsonObject{{QStringLiteral("name"), chain.value(QStringLiteral("name"))},
                                            {QStringLiteral("links"), names},
                                            {QStringLiteral("goal"), goal}});
            }
        }
        item.insert(QStringLiteral("chains"), chains);
        items[i] = item;
    }
    node.insert(QStringLiteral("dataItems"), items);
    if (node.contains(QStringLiteral("ikSystem")))
        node.insert(QStringLiteral("ikSystem"), ikSystem);
    return node;
}
} // namespace

QJsonObject CopyApplyTest::expectedAfterUnchangedApply(const QByteArray& sceneJson)
{
    QJsonObject scene = QJsonDocument::fromJson(sceneJson).object();
    QJsonArray nodes = scene.value(QStringLiteral("nodes")).toArray();
    for (int i = 0; i < nodes.size(); ++i) {
        const QJsonObject node = nodes[i].toObject();
        if (node.value(QStringLiteral("type")).toString() == QLatin1String("VxLegacyFigure"))
            nodes[i] = withChainGoals(node);
    }
    scene.insert(QStringLiteral("nodes"), nodes);
    return scene;
}

QString CopyApplyTest::jsonDifference(const QJsonObject& expected, const QByteArray& actual)
{
    const QJsonObject actualObject = QJsonDocument::fromJson(actual).object();
    if (actualObject == expected)
        return QString();
    const QList<QByteArray> a = QJsonDocument(expected).toJson().split('\n');
    const QList<QByteArray> b = QJsonDocument(actualObject).toJson().split('\n');
    for (int i = 0; i < qMax(a.size(), b.size()); ++i) {
        if (a.value(i) == b.value(i))
            continue;
        QString report = QStringLiteral("first difference at line %1\n").arg(i + 1);
        for (int k = qMax(0, i - 12); k < qMin(i + 4, qMax(a.size(), b.size())); ++k)
            report += QStringLiteral("%1 expected: %2\n     actual: %3\n")
                          .arg(k + 1)
                          .arg(QString::fromUtf8(a.value(k)), QString::fromUtf8(b.value(k)));
        return report;
    }
    return QString();
}

QStringList CopyApplyTest::figureFacts(const VxLegacyFigure* figure)
{
    const auto nameOf = [](const VxNode* node) { return node ? node->getName() : QStringLiteral("(none)"); };
    QStringList facts;
    const VxLegacyBinding* binding = figure->findBinding();
    for (const VxBone* bone : figure->getAllBones()) {
        const VxNode* parent = bone->getNodeParent();
        const VxLegacyJoint* joint = binding ? binding->findJoint(bone) : nullptr;
        facts << QStringLiteral("%1 | %2 | parent %3 | order %4 | joint %5")
                     .arg(bone->getName(), bone->getLabel(), parent == figure ? QStringLiteral("(figure)") : nameOf(parent))
                     .arg(bone->getRotationOrder().getOrder())
                     .arg(joint ? joint->getGroupName() : QStringLiteral("(none)"));
        for (int i = 0; joint && i < joint->getNumJointParams(); ++i) {
            const VxLegacyJointParam* param = joint->getJointParam(i);
            // A partner parameter is named after its driver as it was named when the
            // parameter was made ("lShin_twisty"); an apply renames bones, not parameters.
            const QString name = param->getName().mid(param->getName().lastIndexOf(QLatin1Char('_')));
            facts << QStringLiteral("%1 | %2 %3 axis %4 driver %5 flipped %6")
                         .arg(bone->getName(), QString::fromLatin1(param->metaObject()->className()), name)
                         .arg(param->getAxis())
                         .arg(nameOf(param->getDriver()))
                         .arg(param->isFlipped());
        }
    }
    for (int i = 0; i < figure->getNumWelds(); ++i)
        facts << QStringLiteral("weld %1 to %2").arg(nameOf(figure->getWeld(i)->getWeldBone()),
                                                  nameOf(figure->getWeld(i)->getTargetBone()));
    facts.sort();
    return facts;
}
