#pragma once

#include <QString>

class QWidget;

// The plug-in's modal warning: a QMessageBox with a warning icon and the single button
// "Ok" (spelled so, not Qt's standard "OK").
class VxFSWarningBox
{
public:
    // Parented to `parent`; when it is null, to the host main window (if there is one).
    static void show(const QString& title, const QString& text, QWidget* parent = nullptr);
};
