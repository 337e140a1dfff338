#pragma once

#include "vxmessageboxanswerer.h"
#include "vxscenetest.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

class VxFacetMesh;
class VxFigure;
class VxShape;
class VxUpdateGeometryDlg;

// Handles the Update Base Geometry dialog while it lives: each time the dialog is the active
// modal one, it records what the dialog shows and runs the next queued step on it (which
// chooses, types and clicks). With no step left it cancels, so an unexpected dialog fails a
// test instead of hanging it.
class UpdateDialogDriver : public QObject
{
    Q_OBJECT
public:
    struct Seen
    {
        int operation = -1;
        QString fileName;
        bool fileEnabled = false;
    };
    using Step = std::function<void(VxUpdateGeometryDlg&)>;

    UpdateDialogDriver();
    void queue(const Step& step) { m_steps.append(step); }
    // Steps a user takes: OK or Cancel.
    static void accept(VxUpdateGeometryDlg& dialog);
    static void cancel(VxUpdateGeometryDlg& dialog);
    const QList<Seen>& seen() const { return m_seen; }

private:
    void poll();

    QTimer m_timer;
    QList<Step> m_steps;
    QList<Seen> m_seen;
};

// A single-skin figure whose skin is the generated humanoid read from body.obj, with its
// materials, a region tree whose leaf owns facets and a source-file record; the figure is
// selected and the update action is registered with the application. Files beside it:
//   moved.obj      the humanoid moved 0.5 along +X, its materials named differently;
//   onefewer.obj   moved.obj without its last facet (same vertices);
//   triangle.obj   one triangle;   broken.obj   a face naming a vertex that is not there.
class UpdateGeometryTest : public VxSceneTest
{
protected:
    void SetUp() override;

    // Runs a script in the host's script engine; false with the error when it threw.
    bool runScript(const QString& program, QString* error = nullptr);
    // vxApp.runAction("VxUpdateGeometryAction", <settings>) with the settings as script text.
    bool runUpdate(const QString& settings, QString* error = nullptr);

    VxShape* skinShape() const;
    VxFacetMesh* skinMesh() const;
    std::vector<float> positions() const;
    QStringList materialNames() const;
    // The scene as JSON: nodes, shapes, geometry counts and boxes, materials, regions, data.
    QByteArray sceneJson() const;

    QString m_body, m_moved, m_oneFewer, m_triangle, m_broken;
    std::vector<float> m_bodyPositions, m_movedPositions;
    VxFigure* m_figure = nullptr;
};
