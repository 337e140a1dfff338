#include "vxposepane.h"

#include "vxbone.h"
#include "vxposechannels.h"
#include "vxproperty.h"
#include "vxscene.h"
#include "vxskeleton.h"
#include "vxstyledbutton.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// Wide enough for what scripts may set; evaluation wraps any angle into one turn.
constexpr double kLimit = 1e6;
const char* const kAxisNames[3] = {"X", "Y", "Z"};
} // namespace

VxPosePane::VxPosePane(VxScene* scene, QWidget* parent)
    : VxPane(tr("Pose"), parent),
      m_scene(scene),
      m_title(new QLabel(this)),
      m_reset(new VxStyledButton(tr("Reset Pose"), this))
{
    setObjectName(QStringLiteral("Pose"));
    m_title->setObjectName(QStringLiteral("VxPosePaneTitle"));
    m_title->setWordWrap(true);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    auto* form = new QFormLayout();
    for (int position = 0; position < 3; ++position) {
        m_labels[position] = new QLabel(this);
        m_boxes[position] = new QDoubleSpinBox(this);
        QDoubleSpinBox* box = m_boxes[position];
        box->setObjectName(QStringLiteral("VxPosePaneChannel%1").arg(position));
        box->setRange(-kLimit, kLimit);
        box->setDecimals(1);
        box->setSuffix(QStringLiteral("\u00b0"));
        box->setAlignment(Qt::AlignRight);
        // Typing applies on Enter; arrows and the wheel apply at once.
        box->setKeyboardTracking(false);
        m_labels[position]->setBuddy(box);
        form->addRow(m_labels[position], box);
        connect(box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                [this, position](double degrees) { channelEdited(position, degrees); });
    }
    m_reset->setObjectName(QStringLiteral("VxPosePaneResetButton"));
    m_reset->setToolTip(tr("Turns every bone of the figure back to its rest pose"));
    connect(m_reset, &QPushButton::clicked, this, &VxPosePane::resetPose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(form);
    layout->addWidget(m_reset, 0, Qt::AlignLeft);
    layout->addStretch(1);

    if (scene)
        connect(scene, &VxScene::primarySelectionChanged, this, &VxPosePane::follow);
    refresh();
}

VxPosePane::~VxPosePane()
{
    unwatch();
}

void VxPosePane::refresh()
{
    follow(m_scene ? m_scene->getPrimarySelection() : nullptr);
}

void VxPosePane::follow(VxNode* node)
{
    unwatch();
    m_bone = qobject_cast<VxBone*>(node);
    m_figure = node ? node->getSkeleton() : nullptr;
    if (m_bone) {
        const auto show = [this] { showChannels(); };
        m_watched << connect(m_bone, &VxNode::rotationOrderChanged, this, show)
                  << connect(m_bone, &VxElement::labelChanged, this, show);
        for (int axis = 0; axis < 3; ++axis) {
            m_watched << connect(m_bone->getRotControl(axis), &VxProperty::valueChanged, this, show)
                      << connect(m_bone->getRotControl(axis), &VxElement::labelChanged, this, show);
        }
    }
    showChannels();
}

void VxPosePane::showChannels()
{
    m_showing = true;
    const VxRotationOrder::AxisOrder axes = m_bone ? m_bone->getRotationOrder().getAxisOrder()
                                                   : VxRotationOrder::AxisOrder{{-1, -1, -1}};
    if (!m_bone)
        m_title->setText(m_figure ? tr("Select a bone of %1 to pose it.").arg(m_figure->getName())
                                  : tr("Select a bone to pose it."));
    else
        m_title->setText(m_bone->getLabel().isEmpty() ? m_bone->getName()
                                                      : QStringLiteral("%1 (%2)").arg(m_bone->getLabel(), m_bone->getName()));
    for (int position = 0; position < 3; ++position) {
        const int axis = axes[size_t(position)];
        const VxProperty* control = m_bone ? m_bone->getRotControl(axis) : nullptr;
        m_labels[position]->setText(control ? QStringLiteral("%1 (%2):").arg(control->getLabel(), QLatin1String(kAxisNames[axis]))
                                            : QStringLiteral("-"));
        m_boxes[position]->setEnabled(control != nullptr);
        m_boxes[position]->setValue(control ? double(control->getValue()) : 0.0);
    }
    m_reset->setEnabled(m_figure != nullptr);
    m_showing = false;
}

void VxPosePane::channelEdited(int position, double degrees)
{
    if (m_showing || !m_bone)
        return;
    VxPoseChannels::setChannel(m_bone, position, float(degrees));
}

void VxPosePane::resetPose()
{
    if (m_figure)
        VxPoseChannels::resetPose(m_figure);
}

void VxPosePane::unwatch()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_watched))
        disconnect(connection);
    m_watched.clear();
}
