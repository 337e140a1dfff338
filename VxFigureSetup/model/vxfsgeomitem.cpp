#include "vxfsgeomitem.h"

#include "vxfsgeomgroup.h"

#include "vxapp.h"
#include "vxclassfactory.h"
#include "vxfacegroup.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfileio.h"
#include "vximportmgr.h"
#include "vxmaterial.h"

#include <QtGlobal>

VxFSGeomItem::VxFSGeomItem(const QString& path, int index, VxShape* materialSource)
    : m_path(path), m_index(index), m_shortName(VxFileIO::getShortFileName(path))
{
    if (vxApp)
        vxApp->setBusyCursor();
    load();
    if (m_shape && materialSource)
        transferMaterials(materialSource);
    if (vxApp)
        vxApp->clearBusyCursor();
}

VxFSGeomItem::VxFSGeomItem(VxFacetShape* source, const QString& shortName)
    : m_shortName(shortName)
{
    m_shape = new VxFacetShape();
    m_shape->ref();
    if (!source) {
        qWarning("%s", "NULL shape pointer passed to VxPoserGeomItem::VxPoserGeomItem()");
        return;
    }
    m_shape->setName(source->getName());
    m_shape->setLabel(source->getLabel());
    m_shape->setFacetMesh(source->getFacetMesh());
    createGroups();
    for (int i = 0; i < source->getNumMaterials(); ++i)
        m_shape->addMaterial(source->getMaterial(i));
}

VxFSGeomItem::~VxFSGeomItem()
{
    // Groups first: their bones drop them (and the groups give back their counts) before
    // anyone hears that the item itself goes.
    m_groupByName.clear();
    while (!m_groups.isEmpty())
        delete m_groups.takeLast();
    emit aboutToDelete(this);
    if (m_shape)
        m_shape->unref();
    m_shape = nullptr;
}

VxFSGeomGroup* VxFSGeomItem::findGroup(const QString& name) const
{
    return m_groupByName.value(name, nullptr);
}

void VxFSGeomItem::releaseAssignment()
{
    if (m_useCount > 0)
        --m_useCount;
}

void VxFSGeomItem::load()
{
    VxImportMgr* importer = vxApp ? vxApp->getImportMgr() : nullptr;
    VxShape* loaded = nullptr;
    if (!importer || importer->readGeometry(m_path, &loaded, -1) != 0) {
        m_path.clear();
        m_shortName.clear();
        return;
    }
    m_loaded = true;
    if (loaded)
        adoptShape(loaded);
}

void VxFSGeomItem::adoptShape(VxShape* shape)
{
    shape->ref();
    if (!shape->inherits("VxFacetShape")) {
        // Only facet meshes have face groups to assign; anything else is let go.
        shape->unref();
        return;
    }
    m_shape = static_cast<VxFacetShape*>(shape);
    createGroups();
    nameShapeAfterFile();
}

void VxFSGeomItem::createGroups()
{
    const VxFacetMesh* mesh = m_shape ? m_shape->getFacetMesh() : nullptr;
    if (!mesh)
        return;
    const int count = mesh->getNumFaceGroups();
    m_groups.reserve(count);
    for (int i = 0; i < count; ++i) {
        auto* group = new VxFSGeomGroup(mesh->getFaceGroup(i)->objectName(), this);
        m_groups.append(group);
        // findGroup gives the first group of a name; every bone of an import looks one up.
        if (!m_groupByName.contains(group->getName()))
            m_groupByName.insert(group->getName(), group);
    }
}

void VxFSGeomItem::nameShapeAfterFile()
{
    const int dot = m_shortName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? m_shortName : m_shortName.left(dot);
    const int vertices = m_shape->getGeometry() ? m_shape->getGeometry()->getNumVertices() : 0;
    m_shape->setName(base + QLatin1Char('_') + QString::number(vertices));
    m_shape->setLabel(base);
}

void VxFSGeomItem::transferMaterials(const VxShape* source)
{
    if (!source || !m_shape || !vxApp)
        return;
    for (int i = 0; i < source->getNumMaterials(); ++i) {
        const VxMaterial* original = source->getMaterial(i);
        VxClassFactory* factory = vxApp->findClassFactory(QString::fromLatin1(original->metaObject()->className()));
        if (!factory)
            continue;
        QObject* created = factory->createInstance();
        auto* copy = qobject_cast<VxMaterial*>(created);
        if (!copy) {
            delete created;
            continue;
        }
        copy->copyFrom(original);
        copy->setName(original->getName());
        const int existing = m_shape->findMaterialIndex(copy->getName());
        if (existing >= 0)
            m_shape->replaceMaterial(m_shape->getMaterial(existing), copy);
        else
            m_shape->addMaterial(copy);
    }
}
