#pragma once

#include "vxsdkglobal.h"

#include <QSplitter>

// Two widgets with a bar between them. The user drags the bar to share the space (unless
// movement is disabled) and double-clicks it to fold one side away, its extent going to 0,
// and to unfold it again (unless toggling is disabled; toggle() always works).
//
// The orientation names the bar, as panes describe their layout: Qt::Horizontal puts a
// horizontal bar between the first widget above and the second below (the Figure Setup
// pane's relationships view above its IK chains); Qt::Vertical puts a vertical bar between
// the first widget on the left and the second on the right (its geometry list left of the
// rest). QSplitter names the direction the widgets are laid out in, which is the other one.
//
// The preferred extent is the width or height one widget should keep: set by the pane from
// its settings at start-up, then whatever the user drags the bar to. The pane stores it at
// exit, so the split survives a restart; a fold does not change it, and unfolding restores it.
class VXSDK_EXPORT VxDynamicDividerWgt : public QSplitter
{
    Q_OBJECT
public:
    enum BarStyle {
        BarPlain = 0,
        BarGrip = 1,          // grip dots in the middle of the bar
        BarGripAndArrow = 2,  // grip dots and an arrow saying which way a double-click folds
    };
    enum ResizeType {
        ResizeProportional = 0,    // both sides grow and shrink in proportion
        ResizeToggleSide = 1,      // the side that folds takes every change
        ResizeKeepToggleSide = 2,  // the side that folds keeps its preferred extent
    };

    VxDynamicDividerWgt(QWidget* first, QWidget* second, QWidget* parent,
                        Qt::Orientation orientation, const QString& name, int barStyle);
    ~VxDynamicDividerWgt() override;

    Qt::Orientation getBarOrientation() const;
    int getBarStyle() const { return m_barStyle; }

    // The side that folds: 0 the first widget, 1 the second.
    void setToggleDirection(int direction);
    int getToggleDirection() const { return m_toggleSide; }
    void setResizeType(int type);
    int getResizeType() const { return m_resizeType; }
    void setMargin(int margin);

    void setMovementEnabled(bool enabled);
    bool isMovementEnabled() const { return m_movementEnabled; }
    void setToggleEnabled(bool enabled);
    bool isToggleEnabled() const { return m_toggleEnabled; }

    bool isToggled() const { return m_toggled; }
    void toggle();

    // Widget `index` (0 or 1) should keep `extent` pixels; a negative extent drops the wish.
    void setPreferredWidgetExtent(int index, int extent);
    // The preferred extent, including the user's last drag; -1 when there is none.
    int getPreferredWidgetExtent() const { return m_preferredExtent; }

protected:
    QSplitterHandle* createHandle() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyExtents();
    void rememberDraggedExtent();
    void updateStretch();
    void updateBars();

    int m_barStyle = BarGripAndArrow;
    int m_toggleSide = 1;
    int m_resizeType = ResizeProportional;
    bool m_movementEnabled = true;
    bool m_toggleEnabled = true;
    bool m_toggled = false;
    int m_preferredIndex = 1;
    int m_preferredExtent = -1;
};
