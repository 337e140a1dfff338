#pragma once

#include "vxaction.h"

#include <QPointer>

class VxFigureSetupPane;
class VxMainWindow;

// Base of the Figure Setup actions: they all work on the one Figure Setup pane, are listed
// under the action group "Kiln Figure Setup" and carry the object name "FigureSetupAction".
class VxFSAction : public VxAction
{
    Q_OBJECT
public:
    VxFSAction(const QString& text, const QString& description);

    QString getActionGroup() const override;
    // Finds the pane (by its class name, through the main window's pane manager) unless it
    // was found already, then sets the action up.
    void init() override;

    // The pane found by the first init that found one; null before, and after it died.
    static VxFigureSetupPane* getPane();

protected:
    // Asks for a figure template (open or save) in the folder of the last one chosen, or
    // the user's documents the first time, and remembers the folder of the file chosen.
    // False when the user cancelled; the remembered folder is then left as it was.
    static bool chooseTemplateFile(VxMainWindow* window, bool open, const QString& caption, QString& fileName);

private:
    // Shared by every action. A QPointer rather than a plain pointer: a host that closes
    // its window and opens another (tests, a second session in one process) gets a new
    // pane, which the next init finds instead of a dangling pointer.
    static QPointer<VxFigureSetupPane> s_pane;
};
