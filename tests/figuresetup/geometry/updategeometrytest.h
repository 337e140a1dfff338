#pragma once

#include "vxscenetest.h"

#include <QTimer>

#include <functional>
#include <vector>

class VxFacetMesh;
class VxFigure;
class VxShape;
class VxUpdateGeometryDlg;

// Handles the Update Base Geometry dialog while it lives: each time it is the active modal
// dialog, its state is recorded and the next queued step runs on it; with no step left it
// is cancelled, so an unexpected dialog cannot hang a test.
class UpdateDialogDriver : public QObject
{
public:
    struct Seen
    {
        int operation = -1; // -1 when the operation's button is not checked
        QString fileName;
        bool fileEnabled = false;
    };
    UpdateDialogDriver();
    QList<std::function<void(VxUpdateGeometryDlg&)>> steps;
    QList<Seen> seen;

private:
    QTimer m_timer;
};

// A selected single-skin figure whose skin is the generated humanoid read from body.obj,
// with its materials (skin, hair, shoes), the regions Actor(Head: facets 0-2) and a source
// record "old/body.obj"; the update action is registered. Files beside body.obj:
//   moved.obj     the humanoid moved 0.5 along +X, materials cloth, wig, boots;
//   onefewer.obj  moved.obj without its last facet;  triangle.obj  one triangle;
//   broken.obj    a face naming a missing vertex.
class UpdateGeometryTest : public VxSceneTest
{
protected:
    void SetUp() override;

    // vxApp.runAction("VxUpdateGeometryAction", settings) from a script; false when it threw.
    bool runUpdate(const QString& settings, QString* error = nullptr);
    bool runScript(const QString& program, QString* error = nullptr);
    VxShape* skin() const;
    VxFacetMesh* skinMesh() const;
    std::vector<float> positions() const;
    QStringList materialNames() const;

    QString m_body, m_moved, m_oneFewer, m_triangle, m_broken;
    std::vector<float> m_bodyPositions, m_movedPositions;
    VxFigure* m_figure = nullptr;
};
