#pragma once

class QWidget;

// Spacing of the bone dialogs' layouts.
class VxDialogMetrics
{
public:
    // The host style's layout spacing for `dialog`, never below 5 pixels, so that a style
    // without the host's metric still leaves room between the controls.
    static int margin(const QWidget* dialog);
};
