#pragma once

#include <QString>

// A modal warning that offers up to three buttons with the caller's own texts, parented to
// the host's dialog parent. Empty texts for the second and third button leave them out; an
// empty first text shows "OK".
class VxFSWarningChoice
{
public:
    // Returns the number (0, 1, 2) of the button pressed, the escape button's number when
    // the box is dismissed with Escape, or -1 when it is closed without a button. The
    // default and escape buttons are given by number; -1 means none.
    static int ask(const QString& caption, const QString& text, const QString& button0, const QString& button1,
                   const QString& button2, int defaultButton, int escapeButton);

    // Source texts are translated in the document's context, "VxFSHierarchy".
    static QString tr(const char* sourceText);
};
