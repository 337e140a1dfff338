#include "buildtestsupport.h"

#include "vxmeshgen.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kUnknownError = QStringLiteral("Unknown error occurred while creating figure.");

class SkinFigureTest : public BuildTest
{
protected:
    // The generated humanoid, written to a file and loaded as the base geometry.
    VxFSGeomItem* loadHumanoid()
    {
        QStringList materials;
        const QString path = tempPath(QStringLiteral("Runtime/Geometries/Andy/body.obj"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(VxMeshGen::writeObjFile(VxMeshGen::humanoid(&materials), materials, path));
        VxFSGeomItem* item = m_document.addGeometry(path);
        EXPECT_NE(item, nullptr);
        m_document.setBaseGeometry(item);
        return item;
    }
    VxFSHierarchyItem* bone(VxFSHierarchyItem* parent, const char* name, int order = VxRotationOrder::YZX)
    {
        return addItem(m_document, parent, QLatin1String(name), order);
    }
    VxFigure* builtFigure() const { return qobject_cast<VxFigure*>(m_scene->findNode(m_document.getName())); }
    VxBox3 groupBox(const QString& name) const
    {
        return m_document.getBaseGeometry()->getShape()->getFacetMesh()->getFaceGroupBoundingBox(name);
    }
    // Counts the calls of the post-create hook, which takes no arguments.
    void countHookCalls()
    {
        m_scene->registerNodePostCreateScript(QStringLiteral("FigureSetup"), [this](VxNode* node, const QVariantList& args) {
            ++m_hookCalls;
            m_hookNode = node;
            EXPECT_TRUE(args.isEmpty());
            return true;
        });
    }

    VxFSHierarchy m_document;
    int m_hookCalls = 0;
    VxNode* m_hookNode = nullptr;
};
} // namespace

TEST_F(SkinFigureTest, HumanoidBonesArePlacedFromTheirGroupBoxes)
{
    loadHumanoid();
    // The hip has two children, the chest three; lToe has no face group. Direction +1 runs
    // the bone from its box's minimum to its maximum on the twist axis, -1 the other way
    // (its box's centre lies on the negative side of its parent's origin).
    struct Row
    {
        const char* name;
        const char* parent;
        int order, direction;
    };
    const Row rows[] = {
        {"hip", nullptr, VxRotationOrder::YZX, 1},        {"lThigh", "hip", VxRotationOrder::YZX, -1},
        {"rThigh", "hip", VxRotationOrder::YZX, -1},      {"lShin", "lThigh", VxRotationOrder::YZX, -1},
        {"lFoot", "lShin", VxRotationOrder::YZX, -1},     {"lToe", "lFoot", VxRotationOrder::ZXY, 0},
        {"abdomen", nullptr, VxRotationOrder::YXZ, 1},    {"chest", "abdomen", VxRotationOrder::YZX, 1},
        {"neck", "chest", VxRotationOrder::YZX, 1},       {"lCollar", "chest", VxRotationOrder::XZY, 1},
        {"rCollar", "chest", VxRotationOrder::XYZ, -1},   {"lShldr", "lCollar", VxRotationOrder::XYZ, 1},
        {"rShldr", "rCollar", VxRotationOrder::XYZ, -1},
    };
    for (const Row& row : rows) {
        VxFSHierarchyItem* item = bone(row.parent ? m_document.findBone(QLatin1String(row.parent)) : nullptr,
                                       row.name, row.order);
        if (row.direction == 0)
            item->setGeomGroup(nullptr);
    }
    VxFSSkinFigureBuilder(&m_document).createSingleSkinFigure(false);
    VxFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    ASSERT_EQ(figure->getAllBones().size(), 13);
    EXPECT_EQ(figure->getEndPoint(true),
                   m_document.getBaseGeometry()->getShape()->getFacetMesh()->getBoundingBox().getCenter());
    const auto at = [&](const char* name) { return figure->findBone(QLatin1String(name)); };

    for (const Row& row : rows) {
        if (row.direction == 0)
            continue;
        // Centred on the box in the two other axes, from the face nearest the parent.
        const VxBox3 box = groupBox(QLatin1String(row.name));
        const int t = VxRotationOrder(row.order).getAxis(0);
        VxVec3 start = box.getCenter(), end = box.getCenter();
        start[t] = row.direction > 0 ? box.getMin()[t] : box.getMax()[t];
        end[t] = row.direction > 0 ? box.getMax()[t] : box.getMin()[t];
        const VxBone* placed = at(row.name);
        EXPECT_EQ(placed->getOrigin(true), start) << row.name;
        // A bone ends where its children start: midway between two, at the first of one or
        // of three; without children where its box ends.
        const QList<VxNode*> children = placed->getNodeChildren(false);
        if (children.size() == 2)
            end = (children[0]->getOrigin(true) + children[1]->getOrigin(true)) / 2.0f;
        else if (!children.isEmpty())
            end = children[0]->getOrigin(true);
        EXPECT_EQ(placed->getEndPoint(true), end) << row.name;
    }
    // The toe, without a group: length 1 along Z from the foot's end as its box gave it.
    const VxBox3 footBox = groupBox(QStringLiteral("lFoot"));
    const VxVec3 footEnd(footBox.getCenter().x, footBox.getMin().y, footBox.getCenter().z);
    EXPECT_EQ(at("lToe")->getOrigin(true), footEnd);
    EXPECT_EQ(at("lToe")->getEndPoint(true), footEnd + VxVec3(0, 0, 1));

    // Only bones directly under the figure inherit scale and keep translation controls.
    EXPECT_TRUE(at("abdomen")->getInheritScale());
    EXPECT_FALSE(at("abdomen")->getXPosControl()->isHidden());
    EXPECT_FALSE(at("chest")->getInheritScale());
    EXPECT_TRUE(at("chest")->getXPosControl()->isHidden());
    // (Selection pairs and channel labels come back in the round trip.)
}

TEST_F(SkinFigureTest, TheFigureCarriesSkinMaterialsMapsAndRecords)
{
    VxFSGeomItem* base = loadHumanoid();
    m_document.setName(QStringLiteral("Andy"));
    m_document.setLabel(QStringLiteral("Andy the Figure"));
    m_document.setContentType(QStringLiteral("Actor/Character"));
    m_document.setApplySubD(true);
    bone(bone(nullptr, "hip"), "abdomen");
    new VxFSRegionItem(&m_document, QStringLiteral("Body"));
    countHookCalls();

    m_document.createFigure(false);
    VxFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->getLabel(), QStringLiteral("Andy the Figure"));
    EXPECT_EQ(figure->getPresentation()->getType(), QStringLiteral("Actor/Character"));
    EXPECT_EQ(figure->getPresentation()->getLabel(), QStringLiteral("Andy the Figure"));
    auto* record = qobject_cast<VxGeomSourceFileData*>(figure->findDataItem(QStringLiteral("GeomSourceFileData")));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->getSourceFilePath(), base->getPath());
    EXPECT_EQ(m_hookCalls, 1);
    EXPECT_EQ(m_hookNode, figure);

    // The skin: a grafting shape sharing the base mesh, named after the base shape, with new
    // default materials carrying only names and labels.
    ASSERT_EQ(figure->getObject()->getNumShapes(), 1);
    auto* skin = qobject_cast<VxGraftingFigureShape*>(figure->getObject()->getShape(0));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->getFacetMesh(), base->getShape()->getFacetMesh());
    EXPECT_TRUE(skin->getFacetMesh()->isSubDivisionEnabled());
    EXPECT_EQ(skin->getName(), base->getShape()->getName());
    ASSERT_EQ(skin->getNumMaterials(), 3);
    for (int i = 0; i < 3; ++i) {
        const auto* original = qobject_cast<VxDefaultMaterial*>(base->getShape()->getMaterial(i));
        const auto* copy = qobject_cast<VxDefaultMaterial*>(skin->getMaterial(i));
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, original);
        EXPECT_EQ(copy->getName(), original->getName());
        EXPECT_EQ(copy->getLabel(), original->getLabel());
        EXPECT_EQ(copy->getDiffuseColor(), VxDefaultMaterial().getDiffuseColor());
        EXPECT_EQ(copy->refCount(), 1);
    }
    // Regions are named and labelled after the document's (which tree is the round trip's).
    ASSERT_NE(skin->getGeometryRegion(), nullptr);
    EXPECT_EQ(skin->getGeometryRegion()->getLabel(), QStringLiteral("Body"));

    // Bone bindings in creation order. Which maps a bone gets is the round trip's subject;
    // each is as long as the skin, costs no memory until painted and is held by its binding
    // alone.
    ASSERT_EQ(figure->getSkinBinding()->getNumBoneBindings(), 2);
    EXPECT_EQ(figure->getSkinBinding()->getBoneBinding(0)->getBone(), figure->findBone(QStringLiteral("hip")));
    const VxBoneBinding* abdomen = figure->getSkinBinding()->getBoneBinding(1);
    for (const VxWeightMap* map : {abdomen->getLocalWeights(1), abdomen->getScaleWeights()}) {
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map->getNumWeights(), skin->getFacetMesh()->getNumVertices());
        EXPECT_EQ(map->getNumAllocatedPages(), 0);
        EXPECT_EQ(map->refCount(), 1);
    }
}

TEST_F(SkinFigureTest, ADocumentWithoutBonesAsksFirst)
{
    loadHumanoid();
    VxMessageBoxAnswerer answerer;
    answerer.queueAnswer(QStringLiteral("&No"));
    m_document.createFigure(false);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(boxText(answerer.seen()[0]), "No root bone. | There is no root bone assigned for this figure.\n Do you "
                                           "wish to continue? | &Yes,&No | &Yes | &No | &No");
    EXPECT_EQ(m_scene->getNumNodes(), 0);

    answerer.queueAnswer(QStringLiteral("&Yes"));
    m_document.createFigure(false);
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_NE(builtFigure(), nullptr);
    EXPECT_EQ(m_scene->getNumNodes(), 1);
}

TEST_F(SkinFigureTest, WithoutBaseGeometryBonesAreStillPlaced)
{
    // The groups' geometry is loaded but is no longer the base geometry.
    loadHumanoid();
    VxFSHierarchyItem* hip = bone(nullptr, "hip");
    bone(hip, "chest");
    m_document.setBaseGeometry(nullptr);
    EXPECT_EQ(hip->getGeomGroup(), nullptr);
    countHookCalls();

    VxFSSkinFigureBuilder(&m_document).createSingleSkinFigure(false);
    VxFigure* figure = builtFigure();
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->getObject()->getNumShapes(), 0);
    EXPECT_EQ(m_hookCalls, 0);
    auto* record = qobject_cast<VxGeomSourceFileData*>(figure->findDataItem(QStringLiteral("GeomSourceFileData")));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->getSourceFilePath(), QString());
    EXPECT_EQ(figure->getEndPoint(true), VxVec3());
    // Unit bones up Y, chained end to start; bindings without maps.
    EXPECT_EQ(figure->findBone(QStringLiteral("hip"))->getOrigin(true), VxVec3());
    EXPECT_EQ(figure->findBone(QStringLiteral("hip"))->getEndPoint(true), VxVec3(0, 1, 0));
    EXPECT_EQ(figure->findBone(QStringLiteral("chest"))->getEndPoint(true), VxVec3(0, 2, 0));
    ASSERT_EQ(figure->getSkinBinding()->getNumBoneBindings(), 2);
    const VxBoneBinding* chest = figure->getSkinBinding()->getBoneBinding(1);
    EXPECT_EQ(chest->getLocalWeights(1), nullptr);
    EXPECT_EQ(chest->getScaleWeights(), nullptr);
}

TEST_F(SkinFigureTest, AFailingStepIsCaughtAndTheTransferStillRuns)
{
    // A source figure in the scene, painted and selected.
    VxFSGeomItem* base = loadHumanoid();
    bone(nullptr, "hip");
    m_document.setName(QStringLiteral("Source"));
    m_document.createFigure(false);
    VxFigure* source = builtFigure();
    ASSERT_NE(source, nullptr);
    VxWeightMap* painted = source->getSkinBinding()->getBoneBinding(0)->getLocalWeights(1);
    const std::vector<int> hipVertices = source->getVertexMap(source->findBone(QStringLiteral("hip")));
    ASSERT_FALSE(hipVertices.empty());
    for (int v : hipVertices)
        painted->setWeight(v, 65535);
    source->select(true);

    // The post-create hook throws: the figure stays, the warning is written, and the
    // transfer still paints the new figure.
    m_scene->registerNodePostCreateScript(QStringLiteral("FigureSetup"), [](VxNode*, const QVariantList&) -> bool {
        throw std::runtime_error("hook failed");
    });
    m_document.setName(QStringLiteral("Target"));
    VxWarningCatcher catcher;
    m_document.createFigure(true);
    EXPECT_TRUE(catcher.warnings().contains(kUnknownError));
    VxFigure* target = builtFigure();
    ASSERT_NE(target, nullptr);
    const VxWeightMap* received = target->getSkinBinding()->getBoneBinding(0)->getLocalWeights(1);
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->getNumNonZeroWeights(), int(hipVertices.size()));
    EXPECT_EQ(target->getSkinBinding()->getBoneBinding(0)->getLocalWeights(0)->getNumNonZeroWeights(), 0);
    EXPECT_EQ(base->getShape()->getFacetMesh()->getNumVertices(), received->getNumWeights());
}

TEST_F(SkinFigureTest, AFailureHalfwayLeavesWhatWasBuiltForBothFigureTypes)
{
    loadHumanoid();
    m_document.setContentType(QStringLiteral("Actor/Character"));
    VxFSHierarchyItem* hip = bone(nullptr, "hip");
    bone(bone(hip, "abdomen"), "chest");
    bone(hip, "lThigh");
    m_document.createIKChain(QStringLiteral("Legs"))->addLink(hip, 1.0f);
    // The scene refuses the chest (an exception out of the host while adding it).
    QObject::connect(m_scene.get(), &VxScene::nodeAdded, [](VxNode* node) {
        if (node->getName() == QLatin1String("chest"))
            throw std::runtime_error("no chest");
    });
    for (VxFigureSetupFigureType type : {SingleSkin, Poser}) {
        m_document.setFigureType(type);
        m_document.setName(QStringLiteral("Figure%1").arg(int(type)));
        VxWarningCatcher catcher;
        m_document.createFigure(false);
        EXPECT_EQ(catcher.warnings().count(kUnknownError), 1) << type;
        auto* figure = qobject_cast<VxSkeleton*>(m_scene->findNode(m_document.getName()));
        ASSERT_NE(figure, nullptr);
        EXPECT_NE(figure->findBone(QStringLiteral("abdomen")), nullptr);
        EXPECT_EQ(figure->findBone(QStringLiteral("lThigh")), nullptr);
        EXPECT_EQ(figure->getPresentation()->getType(), QString());
        EXPECT_EQ(figure->findDataItem(QStringLiteral("PoserIKChains")), nullptr);
    }
}
