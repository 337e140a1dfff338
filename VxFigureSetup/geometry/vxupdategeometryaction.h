#pragma once

#include "vxeditaction.h"

class VxFacetMesh;
class VxFileIOSettings;
class VxShape;
class VxUpdateGeometryRequest;
class VxUpdateGeometryTarget;

// "Update Base Geometry...": replaces the base mesh of the selected node without rebuilding
// what hangs on it, in one of three ways: vertex positions baked from the node's current
// (evaluated) shape, vertex positions read from a mesh file of the same vertex count, or the
// whole mesh read from a file of the same vertex and facet counts, which brings its
// materials and source-file record along. Run from a script with trigger settings (see
// VxUpdateGeometryRequest) it can skip its dialog.
class VxUpdateGeometryAction : public VxEditAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxUpdateGeometryAction();
    ~VxUpdateGeometryAction() override;

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;

public slots:
    void executeAction() override;

private:
    class ImportedShapeRelease;

    // Lets the user confirm or change the request; false when they cancelled.
    bool askUser(VxUpdateGeometryRequest& request) const;
    // The mesh the new data comes from, or null (the reason is the importer's, or there is
    // no evaluated facet mesh).
    VxFacetMesh* sourceMesh(const VxUpdateGeometryTarget& target, const VxUpdateGeometryRequest& request,
                            const VxFileIOSettings& importerSettings);
    // Reads the file into m_importedShape, which then records the file as its source.
    void loadFile(const QString& path, const VxFileIOSettings& importerSettings);
    void discardImportedShape();
    void refuseIncompatible(const QString& text) const;

    // The shape read from the file; held only while the action runs.
    VxShape* m_importedShape = nullptr;
};
