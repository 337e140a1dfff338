#include "vxscenejsonwriter.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vxlegacyalternategeometry.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"
#include "vxmaterial.h"
#include "vxobject.h"
#include "vxpresentation.h"
#include "vxproperty.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"
#include "vxweld.h"

namespace {
QString className(const QObject* object)
{
    return QString::fromLatin1(object->metaObject()->className());
}
} // namespace

QByteArray VxSceneJsonWriter::toJson(const VxScene& scene)
{
    return VxSceneJsonWriter().write(scene);
}

namespace {
const bool g_installedInTheScene = VxScene::setJsonWriter(&VxSceneJsonWriter::toJson);
} // namespace

QByteArray VxSceneJsonWriter::write(const VxScene& scene)
{
    m_json = VxJsonWriter();
    m_json.beginObject();
    m_json.field("format", "vxscene");
    m_json.field("version", 1);
    nodeRef("primarySelection", scene.getPrimarySelection());
    m_json.key("selection");
    m_json.beginArray();
    for (const VxNode* node : scene.getSelectedNodes())
        m_json.value(node->getName());
    m_json.endArray();
    m_json.key("nodes");
    m_json.beginArray();
    for (const VxNode* node : scene.getTopLevelNodes())
        writeNode(node);
    m_json.endArray();
    m_json.endObject();
    return m_json.result();
}

void VxSceneJsonWriter::nodeRef(const char* key, const VxNode* node)
{
    if (node)
        m_json.field(key, node->getName());
    else
        m_json.nullField(key);
}

void VxSceneJsonWriter::writeVec3(const char* key, float x, float y, float z)
{
    const float v[3] = {x, y, z};
    m_json.key(key);
    m_json.floatArray(v, 3);
}

void VxSceneJsonWriter::writeNode(const VxNode* node)
{
    m_json.beginObject();
    m_json.field("type", className(node));
    m_json.field("name", node->getName());
    m_json.field("label", node->getLabel());
    nodeRef("parent", node->getNodeParent());
    for (const bool isDefault : {false, true}) {
        const VxVec3 o = node->getOrigin(isDefault);
        const VxVec3 e = node->getEndPoint(isDefault);
        writeVec3(isDefault ? "defaultOrigin" : "origin", o.x, o.y, o.z);
        writeVec3(isDefault ? "defaultEndPoint" : "endPoint", e.x, e.y, e.z);
    }
    m_json.field("rotationOrder", node->getRotationOrder().isValid()
                                      ? node->getRotationOrder().toString()
                                      : QString::number(node->getRotationOrder().getOrder()));
    writeControls(node);
    if (const VxBone* bone = qobject_cast<const VxBone*>(node))
        m_json.field("inheritScale", bone->getInheritScale());
    m_json.key("presentation");
    m_json.beginObject();
    m_json.field("type", node->getPresentation()->getType());
    m_json.field("label", node->getPresentation()->getLabel());
    m_json.endObject();
    writeDataItems(node);
    m_json.key("object");
    writeObject(node->getObject());
    if (const VxSkeleton* skeleton = qobject_cast<const VxSkeleton*>(node))
        writeSkeletonParts(skeleton);
    m_json.key("children");
    m_json.beginArray();
    for (int i = 0; i < node->getNumNodeChildren(); ++i)
        writeNode(node->getNodeChild(i));
    m_json.endArray();
    m_json.endObject();
}

void VxSceneJsonWriter::writeControls(const VxNode* node)
{
    m_json.key("controls");
    m_json.beginArray();
    const VxProperty* controls[6] = {node->getXRotControl(), node->getYRotControl(), node->getZRotControl(),
                                     node->getXPosControl(), node->getYPosControl(), node->getZPosControl()};
    for (const VxProperty* control : controls) {
        m_json.beginObject();
        m_json.field("name", control->getName());
        m_json.field("label", control->getLabel());
        m_json.field("hidden", control->isHidden());
        m_json.field("value", control->getValue());
        m_json.endObject();
    }
    m_json.endArray();
}

void VxSceneJsonWriter::writeDataItems(const VxElement* element)
{
    m_json.key("dataItems");
    m_json.beginArray();
    for (int i = 0; i < element->getNumDataItems(); ++i) {
        const VxDataItem* item = element->getDataItem(i);
        m_json.beginObject();
        m_json.field("type", className(item));
        m_json.field("name", item->getName());
        if (auto* source = qobject_cast<const VxGeomSourceFileData*>(item)) {
            m_json.field("sourceFilePath", source->getSourceFilePath());
            m_json.field("groupName", source->getGroupName());
        } else if (auto* chains = qobject_cast<const VxLegacyIKChains*>(item)) {
            m_json.key("chains");
            m_json.beginArray();
            for (int c = 0; c < chains->getNumChains(); ++c) {
                const VxLegacyIKChain* chain = chains->getChain(c);
                m_json.beginObject();
                m_json.field("name", chain->getName());
                m_json.field("label", chain->getLabel());
                m_json.field("active", chain->getActive());
                m_json.key("links");
                m_json.beginArray();
                for (int l = 0; l < chain->getNumLinks(); ++l) {
                    m_json.beginObject();
                    nodeRef("bone", chain->getLink(l));
                    m_json.field("weight", chain->getLinkWeight(l));
                    m_json.endObject();
                }
                m_json.endArray();
                nodeRef("goal", chain->getGoal());
                m_json.endObject();
            }
            m_json.endArray();
        }
        m_json.endObject();
    }
    m_json.endArray();
}

void VxSceneJsonWriter::writeObject(const VxObject* object)
{
    if (!object) {
        m_json.nullValue();
        return;
    }
    m_json.beginObject();
    m_json.field("currentShape", object->findShape(object->getCurrentShape()));
    m_json.key("shapes");
    m_json.beginArray();
    for (int i = 0; i < object->getNumShapes(); ++i)
        writeShape(object->getShape(i));
    m_json.endArray();
    m_json.key("modifiers");
    m_json.beginArray();
    for (int i = 0; i < object->getNumModifiers(); ++i)
        writeModifier(object->getModifier(i));
    m_json.endArray();
    m_json.endObject();
}

void VxSceneJsonWriter::writeShape(const VxShape* shape)
{
    m_json.beginObject();
    m_json.field("type", className(shape));
    m_json.field("name", shape->getName());
    m_json.field("label", shape->getLabel());
    m_json.key("geometry");
    if (const VxGeometry* geometry = shape->getGeometry()) {
        m_json.beginObject();
        m_json.field("type", className(geometry));
        m_json.field("assetUrl", geometry->getAssetUrl().toString());
        m_json.field("vertices", geometry->getNumVertices());
        if (auto* mesh = qobject_cast<const VxFacetMesh*>(geometry)) {
            m_json.field("facets", mesh->getNumFacets());
            m_json.field("subDivision", mesh->isSubDivisionEnabled());
            m_json.field("faceGroups", mesh->getNumFaceGroups());
        }
        const VxBox3 box = geometry->getBoundingBox();
        m_json.key("boundingBox");
        if (box.isEmpty()) {
            m_json.nullValue();
        } else {
            m_json.beginObject();
            writeVec3("min", box.getMin().x, box.getMin().y, box.getMin().z);
            writeVec3("max", box.getMax().x, box.getMax().y, box.getMax().z);
            m_json.endObject();
        }
        m_json.endObject();
    } else {
        m_json.nullValue();
    }
    m_json.key("materials");
    m_json.beginArray();
    for (int i = 0; i < shape->getNumMaterials(); ++i) {
        const VxMaterial* material = shape->getMaterial(i);
        m_json.beginObject();
        m_json.field("type", className(material));
        m_json.field("name", material->getName());
        m_json.field("label", material->getLabel());
        m_json.endObject();
    }
    m_json.endArray();
    m_json.key("regions");
    if (shape->getGeometryRegion())
        writeRegion(shape->getGeometryRegion());
    else
        m_json.nullValue();
    writeDataItems(shape);
    m_json.endObject();
}

void VxSceneJsonWriter::writeRegion(const VxGeometryRegion* region)
{
    m_json.beginObject();
    m_json.field("name", region->getName());
    m_json.field("label", region->getLabel());
    m_json.field("displayCards", region->getDisplaysCards());
    m_json.field("facets", region->getNumRegionFacetIndices());
    m_json.key("children");
    m_json.beginArray();
    for (int i = 0; i < region->numGeometryRegionChildren(); ++i)
        writeRegion(region->getGeometryRegionChild(i));
    m_json.endArray();
    m_json.endObject();
}

void VxSceneJsonWriter::writeModifier(const VxModifier* modifier)
{
    m_json.beginObject();
    m_json.field("type", className(modifier));
    m_json.field("name", modifier->getName());
    if (auto* binding = qobject_cast<const VxLegacyBinding*>(modifier)) {
        m_json.key("joints");
        m_json.beginArray();
        for (int i = 0; i < binding->getNumJoints(); ++i)
            writeJoint(binding->getJoint(i));
        m_json.endArray();
    }
    m_json.endObject();
}

void VxSceneJsonWriter::writeJoint(const VxLegacyJoint* joint)
{
    m_json.beginObject();
    m_json.field("name", joint->getName());
    nodeRef("bone", joint->getBone());
    m_json.field("groupName", joint->getGroupName());
    m_json.key("params");
    m_json.beginArray();
    for (int i = 0; i < joint->getNumJointParams(); ++i)
        writeJointParam(joint->getJointParam(i));
    m_json.endArray();
    m_json.endObject();
}

void VxSceneJsonWriter::writeJointParam(const VxLegacyJointParam* param)
{
    m_json.beginObject();
    m_json.field("class", className(param));
    m_json.field("type", param->type());
    m_json.field("name", param->getName());
    m_json.field("axis", param->getAxis());
    nodeRef("driver", param->getDriver());
    const QVector<float> values = param->getValues();
    m_json.key("values");
    m_json.floatArray(values.constData(), values.size());
    const std::array<float, 4> angles = param->getAngles();
    m_json.key("angles");
    m_json.floatArray(angles.data(), 4);
    m_json.field("applyAngles", param->getApplyAngles());
    for (const bool inner : {true, false}) {
        m_json.key(inner ? "innerMatrix" : "outerMatrix");
        if (!param->hasMatrices()) {
            m_json.nullValue();
            continue;
        }
        const VxMatrix4& m = inner ? param->getInnerMatrix() : param->getOuterMatrix();
        float rows[16];
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                rows[r * 4 + c] = m(r, c);
        m_json.floatArray(rows, 16);
    }
    m_json.field("flipped", param->isFlipped());
    m_json.endObject();
}

void VxSceneJsonWriter::writeSkeletonParts(const VxSkeleton* skeleton)
{
    m_json.key("selectionMap");
    if (const VxSelectionMap* map = skeleton->getSelectionMap()) {
        m_json.beginArray();
        for (int i = 0; i < map->getNumPairs(); ++i) {
            m_json.beginObject();
            m_json.field("group", map->getPairGroup(i));
            nodeRef("node", map->getPairNode(i));
            m_json.endObject();
        }
        m_json.endArray();
    } else {
        m_json.nullValue();
    }
    if (auto* figure = qobject_cast<const VxFigure*>(skeleton)) {
        m_json.key("skinBinding");
        m_json.beginObject();
        m_json.key("boneBindings");
        m_json.beginArray();
        const VxSkinBinding* skin = figure->getSkinBinding();
        for (int i = 0; i < skin->getNumBoneBindings(); ++i)
            writeBoneBinding(skin->getBoneBinding(i));
        m_json.endArray();
        m_json.endObject();
    }
    if (auto* legacy = qobject_cast<const VxLegacyFigure*>(skeleton))
        writeLegacyFigureParts(legacy);
}

void VxSceneJsonWriter::writeWeightMap(const VxWeightMap* map)
{
    if (!map) {
        m_json.nullValue();
        return;
    }
    m_json.beginObject();
    m_json.field("name", map->getName());
    m_json.field("size", map->getNumWeights());
    m_json.field("nonZero", map->getNumNonZeroWeights());
    m_json.endObject();
}

void VxSceneJsonWriter::writeBoneBinding(const VxBoneBinding* binding)
{
    m_json.beginObject();
    nodeRef("bone", binding->getBone());
    m_json.key("localWeights");
    m_json.beginArray();
    for (int axis = 0; axis < 3; ++axis)
        writeWeightMap(binding->getLocalWeights(axis));
    m_json.endArray();
    m_json.key("scaleWeights");
    writeWeightMap(binding->getScaleWeights());
    m_json.key("bulgeBindings");
    m_json.beginArray();
    for (int axis = 0; axis < 3; ++axis) {
        const VxBulgeBinding* bulge = binding->getBulgeBinding(axis);
        if (!bulge) {
            m_json.nullValue();
            continue;
        }
        m_json.beginObject();
        m_json.field("axis", bulge->getAxis());
        m_json.key("right");
        writeWeightMap(bulge->getRightWeights());
        m_json.key("left");
        writeWeightMap(bulge->getLeftWeights());
        m_json.endObject();
    }
    m_json.endArray();
    m_json.endObject();
}

void VxSceneJsonWriter::writeLegacyFigureParts(const VxLegacyFigure* figure)
{
    m_json.key("welds");
    m_json.beginArray();
    for (int i = 0; i < figure->getNumWelds(); ++i) {
        m_json.beginObject();
        nodeRef("weldBone", figure->getWeld(i)->getWeldBone());
        nodeRef("targetBone", figure->getWeld(i)->getTargetBone());
        m_json.endObject();
    }
    m_json.endArray();
    m_json.key("alternateGeometries");
    m_json.beginArray();
    for (int i = 0; i < figure->getNumAlternateGeometries(); ++i) {
        const VxLegacyAlternateGeometry* alternate = figure->getAlternateGeometry(i);
        m_json.beginObject();
        nodeRef("bone", alternate->getBone());
        m_json.key("object");
        writeObject(alternate->getObject());
        m_json.endObject();
    }
    m_json.endArray();
    m_json.key("ikSystem");
    m_json.beginArray();
    for (int i = 0; i < figure->getNumIKChains(); ++i) {
        const VxLegacyFigure::IKChain& chain = figure->getIKChain(i);
        m_json.beginObject();
        m_json.field("name", chain.name);
        m_json.key("links");
        m_json.beginArray();
        for (const QPointer<VxNode>& link : chain.links) {
            if (link)
                m_json.value(link->getName());
            else
                m_json.nullValue();
        }
        m_json.endArray();
        nodeRef("goal", chain.goal);
        m_json.endObject();
    }
    m_json.endArray();
}
