#pragma once

// Everything the build tests use, in one place: the builders, the document model and the
// host classes they create.
#include "vxfsboneplacer.h"
#include "vxfsbuildguard.h"
#include "vxfsfigurecopier.h"
#include "vxfsfigureparts.h"
#include "vxfsjointparams.h"
#include "vxfsparametricfigurebuilder.h"
#include "vxfsskinfigurebuilder.h"
#include "vxfsweightmaps.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacyalternategeometry.h"
#include "vxlegacybendparam.h"
#include "vxlegacybinding.h"
#include "vxlegacycurve.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"
#include "vxlegacysmoothscale.h"
#include "vxlegacytwistparam.h"
#include "vxmessageboxanswerer.h"
#include "vxobject.h"
#include "vxpresentation.h"
#include "vxprogress.h"
#include "vxproperty.h"
#include "vxrefcounted.h"
#include "vxrotationorder.h"
#include "vxscenetest.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"
#include "vxweld.h"

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <ostream>
#include <stdexcept>

// Builds the test's scene pieces by hand, so that the builders' parts can be checked one
// at a time against known numbers.
class BuildTest : public VxSceneTest
{
protected:
    // Gives the document an in-memory base geometry: a facet shape of `mesh` named `name`
    // with one red default material per entry of `materials`, shown by a geometry item
    // without a file path, as a copied figure's shape is.
    static VxFSGeomItem* setBaseMesh(VxFSHierarchy& document, VxFacetMesh* mesh, const QString& name,
                                     const QStringList& materials = QStringList());
    // A figure in the scene with an object, a grafting shape of `mesh` (none when null) and
    // an empty selection map.
    template<class Figure>
    static Figure* addSkinnedFigure(VxFacetMesh* mesh, const QString& name = QStringLiteral("Figure"))
    {
        auto* figure = new Figure();
        figure->setName(name);
        prepareFigure(figure, mesh);
        return figure;
    }
    // A bone below `parent` in a new document bone, the document's base geometry's face
    // group of the same name (when there is one) assigned.
    static VxFSHierarchyItem* addItem(VxFSHierarchy& document, VxFSHierarchyItem* parent, const QString& name,
                                      int rotationOrder);
    static VxFacetMesh* humanoidMesh();

private:
    static void prepareFigure(VxSkeleton* figure, VxFacetMesh* mesh);
};

// A legacy figure assembled from host classes, as a scene file or another tool would leave
// it: an object with a legacy binding, and bones added with a joint each.
struct TestLegacyFigure
{
    TestLegacyFigure(const QString& name, const QString& label);
    // A bone below `parent` (the figure when null), in the scene, labelled "<name> label",
    // with a joint whose group name is `group` unless `withJoint` is false.
    VxBone* addBone(VxNode* parent, const QString& name, VxRotationOrder order = VxRotationOrder(),
                    const QString& group = QString(), bool withJoint = true);
    VxLegacyJoint* joint(const VxBone* bone) const;

    VxLegacyFigure* figure;
    VxLegacyBinding* binding;
};

// A bone below `parent`, in the scene; addPlacedBone also gives it a rest origin and end point.
VxBone* addSceneBone(VxNode* parent, const QString& name, int rotationOrder = 0);
VxBone* addPlacedBone(VxNode* parent, const QString& name, const VxVec3& origin = VxVec3(), const VxVec3& end = VxVec3(),
                      int rotationOrder = 0);
// Text of an OBJ file with one triangle per face group, in order, using material "skin".
QByteArray testObj(const QStringList& groups);
// A shape read through the host's importer, so that its mesh knows its file; with a
// "GeomSourceFileData" record of `recordedPath` when that is not empty.
VxFacetShape* importedShape(const QString& path, const QString& recordedPath = QString());

// The chosen parameters of a bone as words, in the order "curve twist sideSide bend scale
// twistBulge sideBulge bendBulge".
QString choicesOf(const VxFSHierarchyItem* bone);
// The names of a joint's parameters in order; empty for no joint.
QStringList paramNames(const VxLegacyJoint* joint);
// A message box seen, as "title | text | buttons | default | escape | clicked" (buttons
// joined by ",").
std::string boxText(const VxMessageBoxAnswerer::Seen& box);
// A bone binding of `bone` added to the figure's skin binding.
VxBoneBinding* bindBone(VxFigure* figure, VxBone* bone);

// Collects the warnings written through qWarning while it lives (and still prints them).
class VxWarningCatcher
{
public:
    VxWarningCatcher();
    ~VxWarningCatcher();
    const QStringList& warnings() const;
};

// Vectors in failure messages, each coordinate in full.
void PrintTo(const VxVec3& v, std::ostream* out);
