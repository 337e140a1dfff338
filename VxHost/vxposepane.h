#pragma once

#include "vxnode.h"
#include "vxpane.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class VxScene;

// The host's "Pose" pane: the rotation channels of the selected bone, one spin box per
// channel in the bone's rotation order (twist, side-side, bend) labelled as the figure
// builder labelled the channel, and a "Reset Pose" button that takes the whole figure back
// to its rest pose. It follows the primary selection, and the channels follow whoever else
// turns the bone (scripts, other views). Other nodes show no channels; a figure itself can
// still be reset.
class VxPosePane : public VxPane
{
    Q_OBJECT
public:
    explicit VxPosePane(VxScene* scene, QWidget* parent = nullptr);
    ~VxPosePane() override;

    // The bone being posed, or null.
    VxNode* getBone() const { return m_bone; }
    QDoubleSpinBox* getChannelBox(int position) const { return m_boxes[position]; }
    QPushButton* getResetButton() const { return m_reset; }

    void refresh() override;

private:
    void follow(VxNode* node);
    void showChannels();
    void channelEdited(int position, double degrees);
    void resetPose();
    void unwatch();

    QPointer<VxScene> m_scene;
    QPointer<VxNode> m_bone;
    QPointer<VxNode> m_figure;
    QLabel* m_title;
    QLabel* m_labels[3];
    QDoubleSpinBox* m_boxes[3];
    QPushButton* m_reset;
    QList<QMetaObject::Connection> m_watched;
    bool m_showing = false;
};
