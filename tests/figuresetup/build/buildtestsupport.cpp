#include "buildtestsupport.h"

#include "vximportmgr.h"
#include "vxmeshgen.h"
#include "vxskeleton.h"

namespace {
QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void catchWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg)
        g_warnings.append(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

VxWarningCatcher::VxWarningCatcher()
{
    g_warnings.clear();
    g_previousHandler = qInstallMessageHandler(catchWarning);
}

VxWarningCatcher::~VxWarningCatcher()
{
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
}

const QStringList& VxWarningCatcher::warnings() const
{
    return g_warnings;
}

VxFSGeomItem* BuildTest::setBaseMesh(VxFSHierarchy& document, VxFacetMesh* mesh, const QString& name,
                                     const QStringList& materials)
{
    VxRefGuard<VxFacetShape> shape(new VxFacetShape());
    shape->setName(name);
    shape->setLabel(name);
    shape->setFacetMesh(mesh);
    for (const QString& materialName : materials) {
        VxRefGuard<VxDefaultMaterial> material(new VxDefaultMaterial());
        material->setName(materialName);
        material->setLabel(materialName + QStringLiteral(" label"));
        material->setDiffuseColor(Qt::red);
        shape->addMaterial(material.get());
    }
    auto* item = new VxFSGeomItem(shape.get(), name);
    EXPECT_TRUE(document.addGeometryItem(item));
    document.setBaseGeometry(item);
    return item;
}

void BuildTest::prepareFigure(VxSkeleton* figure, VxFacetMesh* mesh)
{
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    if (mesh) {
        auto* shape = new VxGraftingFigureShape();
        shape->setFacetMesh(mesh);
        figure->getObject()->addShape(shape);
    }
    figure->setSelectionMap(new VxSelectionMap());
}

VxBone* addSceneBone(VxNode* parent, const QString& name, int rotationOrder)
{
    auto* bone = new VxBone();
    bone->setName(name);
    bone->setRotationOrder(rotationOrder);
    parent->addNodeChild(bone, false);
    vxScene->addNode(bone);
    return bone;
}

VxBone* addPlacedBone(VxNode* parent, const QString& name, const VxVec3& origin, const VxVec3& end, int rotationOrder)
{
    VxBone* bone = addSceneBone(parent, name, rotationOrder);
    bone->setOrigin(origin, true);
    bone->setEndPoint(end, true);
    return bone;
}

VxFSHierarchyItem* BuildTest::addItem(VxFSHierarchy& document, VxFSHierarchyItem* parent, const QString& name,
                                      int rotationOrder)
{
    auto* item = parent ? new VxFSHierarchyItem(parent, name) : new VxFSHierarchyItem(&document, name);
    item->setRotationOrder(rotationOrder);
    if (VxFSGeomItem* base = document.getBaseGeometry())
        item->setGeomGroup(base->findGroup(name));
    return item;
}

VxFacetMesh* BuildTest::humanoidMesh()
{
    auto* mesh = new VxFacetMesh();
    mesh->setData(VxMeshGen::humanoid());
    return mesh;
}

TestLegacyFigure::TestLegacyFigure(const QString& name, const QString& label)
    : figure(new VxLegacyFigure()), binding(new VxLegacyBinding())
{
    figure->setName(name);
    figure->setLabel(label);
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    figure->getObject()->addModifier(binding);
}

VxBone* TestLegacyFigure::addBone(VxNode* parent, const QString& name, VxRotationOrder order, const QString& group,
                                  bool withJoint)
{
    VxBone* bone = addSceneBone(parent ? parent : figure, name, order.getOrder());
    bone->setLabel(name + QStringLiteral(" label"));
    if (withJoint) {
        auto* joint = new VxLegacyJoint();
        joint->setBone(bone, true);
        joint->setName(name);
        joint->setGroupName(group);
        binding->addJoint(joint);
    }
    return bone;
}

VxLegacyJoint* TestLegacyFigure::joint(const VxBone* bone) const
{
    return binding->findJoint(bone);
}

QByteArray testObj(const QStringList& groups)
{
    QByteArray text = "usemtl skin\n";
    for (int g = 0; g < groups.size(); ++g) {
        text += QStringLiteral("v %1 0 0\nv %2 0 0\nv %1 1 0\n").arg(g).arg(g + 1).toUtf8();
        text += "g " + groups[g].toUtf8() + "\n";
        text += QStringLiteral("f %1 %2 %3\n").arg(3 * g + 1).arg(3 * g + 2).arg(3 * g + 3).toUtf8();
    }
    return text;
}

VxFacetShape* importedShape(const QString& path, const QString& recordedPath)
{
    VxShape* shape = nullptr;
    if (vxApp->getImportMgr()->readGeometry(path, &shape, -1) != 0)
        return nullptr;
    if (!recordedPath.isEmpty())
        shape->addDataItem(new VxGeomSourceFileData(recordedPath));
    return qobject_cast<VxFacetShape*>(shape);
}

QString choicesOf(const VxFSHierarchyItem* bone)
{
    const std::pair<const char*, bool (VxFSHierarchyItem::*)() const> choices[] = {
        {"curve", &VxFSHierarchyItem::getCurve},           {"twist", &VxFSHierarchyItem::getTwist},
        {"sideSide", &VxFSHierarchyItem::getSideSide},     {"bend", &VxFSHierarchyItem::getBend},
        {"scale", &VxFSHierarchyItem::getScale},           {"twistBulge", &VxFSHierarchyItem::getTwistBulge},
        {"sideBulge", &VxFSHierarchyItem::getSideBulge},   {"bendBulge", &VxFSHierarchyItem::getBendBulge},
    };
    QStringList words;
    for (const auto& choice : choices) {
        if ((bone->*choice.second)())
            words << QLatin1String(choice.first);
    }
    return words.join(QLatin1Char(' '));
}

QStringList paramNames(const VxLegacyJoint* joint)
{
    QStringList names;
    for (int i = 0; joint && i < joint->getNumJointParams(); ++i)
        names << joint->getJointParam(i)->getName();
    return names;
}

std::string boxText(const VxMessageBoxAnswerer::Seen& box)
{
    return QStringList{box.title, box.text, box.buttons.join(QLatin1Char(',')), box.defaultButton, box.escapeButton,
                       box.clicked}
        .join(QStringLiteral(" | "))
        .toStdString();
}

VxBoneBinding* bindBone(VxFigure* figure, VxBone* bone)
{
    auto* binding = new VxBoneBinding();
    binding->setBone(bone);
    figure->getSkinBinding()->addBoneBinding(binding);
    return binding;
}

void PrintTo(const VxVec3& v, std::ostream* out)
{
    *out << QStringLiteral("(%1, %2, %3)").arg(double(v.x), 0, 'g', 9).arg(double(v.y), 0, 'g', 9).arg(double(v.z), 0, 'g', 9).toStdString();
}
