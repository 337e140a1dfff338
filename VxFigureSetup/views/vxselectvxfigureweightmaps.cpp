#include "vxselectvxfigureweightmaps.h"

#include "vxfshierarchyitem.h"

#include <QCheckBox>

VxSelectVxFigureWeightMaps::VxSelectVxFigureWeightMaps(QTreeWidget* view)
    : VxBoneChoicesDialog(view, QStringLiteral("VxSelectVxFigureWeightMapsDlg"),
                          tr(" Please select the Weight Maps that you would like\n to exist on the selected "
                             "bones. The option configuration\n will be applied to all selected bones upon "
                             "accepting\n this dialog."),
                          3)
{
    setWindowTitle(tr("Select Weight Maps"));
    const QString prefix = QStringLiteral("VxSelectVxFigureWeightMaps");
    m_all = addBox(tr("All Parameters"), prefix + QStringLiteral("SelectAllCbx"), 0, 0, 10);
    m_default = addBox(tr("Default Parameters"), prefix + QStringLiteral("DefaultCbx"), 1, 1, 9);
    m_twist = addBox(tr("Twist Axis"), prefix + QStringLiteral("TwistCbx"), 2, 2, 8);
    m_twistBulge = addBox(tr("Bulges"), prefix + QStringLiteral("TwistBulgeCbx"), 3, 3, 1);
    m_side = addBox(tr("Least Likely to Reach 90 Degrees <Side-Side>"), prefix + QStringLiteral("MapSideCbx"), 4, 2, 8);
    m_sideBulge = addBox(tr("Bulges"), prefix + QStringLiteral("SideBulgeCbx"), 5, 3, 1);
    m_bend = addBox(tr("Most Likely to Reach 90 Degrees <Bend>"), prefix + QStringLiteral("BendCbx"), 6, 2, 8);
    m_bendBulge = addBox(tr("Bulges"), prefix + QStringLiteral("BendBulgeCbx"), 7, 3, 1);
    m_scale = addBox(tr("Scale"), prefix + QStringLiteral("ScaleCbx"), 8, 2, 8);
    connect(m_all, &QCheckBox::clicked, this, &VxSelectVxFigureWeightMaps::selectAllToggled);
    connect(m_default, &QCheckBox::clicked, this, &VxSelectVxFigureWeightMaps::selectDefaultToggled);
    for (QCheckBox* box : {m_twist, m_twistBulge, m_side, m_sideBulge, m_bend, m_bendBulge, m_scale})
        connect(box, &QCheckBox::clicked, this, &VxSelectVxFigureWeightMaps::paramToggled);

    if (VxFSHierarchyItem* bone = singleBone()) {
        m_twist->setChecked(bone->getTwist());
        m_side->setChecked(bone->getSideSide());
        m_bend->setChecked(bone->getBend());
        m_scale->setChecked(bone->getScale());
        m_twistBulge->setChecked(bone->getTwistBulge());
        m_sideBulge->setChecked(bone->getSideBulge());
        m_bendBulge->setChecked(bone->getBendBulge());
        paramToggled(true);
    }
    finishLayout();
}

bool VxSelectVxFigureWeightMaps::allBulges() const
{
    return m_twistBulge->isChecked() && m_sideBulge->isChecked() && m_bendBulge->isChecked();
}

void VxSelectVxFigureWeightMaps::selectAllToggled(bool on)
{
    for (QCheckBox* box : {m_default, m_twist, m_twistBulge, m_side, m_sideBulge, m_bend, m_bendBulge, m_scale})
        box->setChecked(on);
}

void VxSelectVxFigureWeightMaps::selectDefaultToggled(bool on)
{
    for (QCheckBox* box : {m_twist, m_bend, m_side, m_scale})
        box->setChecked(on);
    // The maps alone are not everything while a bulge is off.
    if (!on || allBulges())
        m_all->setChecked(on);
}

void VxSelectVxFigureWeightMaps::paramToggled(bool /*on*/)
{
    const bool maps = m_twist->isChecked() && m_bend->isChecked() && m_scale->isChecked() && m_side->isChecked();
    m_default->setChecked(maps);
    m_all->setChecked(maps && allBulges());
}

void VxSelectVxFigureWeightMaps::accept()
{
    for (VxFSHierarchyItem* bone : selectedBones()) {
        bone->setTwist(m_twist->isChecked());
        bone->setBend(m_bend->isChecked());
        bone->setSideSide(m_side->isChecked());
        bone->setScale(m_scale->isChecked());
        bone->setTwistBulge(m_twistBulge->isChecked());
        bone->setSideBulge(m_sideBulge->isChecked());
        bone->setBendBulge(m_bendBulge->isChecked());
    }
    QDialog::accept();
}
