#include "vxsceneoutlinerpane.h"

#include "vxsceneoutliner.h"

#include <QVBoxLayout>

VxSceneOutlinerPane::VxSceneOutlinerPane(VxScene* scene, QWidget* parent)
    : VxPane(tr("Scene"), parent), m_outliner(new VxSceneOutliner(scene, this))
{
    setObjectName(QStringLiteral("Scene"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outliner);
}

VxSceneOutlinerPane::~VxSceneOutlinerPane() = default;

void VxSceneOutlinerPane::refresh()
{
    m_outliner->rebuild();
}
