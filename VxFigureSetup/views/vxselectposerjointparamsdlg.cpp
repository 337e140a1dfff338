#include "vxselectposerjointparamsdlg.h"

#include "vxfshierarchyitem.h"

#include <QCheckBox>

VxSelectPoserJointParamsDlg::VxSelectPoserJointParamsDlg(QTreeWidget* view)
    : VxBoneChoicesDialog(view, QStringLiteral("VxSelectJointParamsDlg"),
                          tr(" Please select the Joint Parameters that you would like\n to exist on the selected "
                             "bones. The option configuration\n will be applied to all selected bones upon "
                             "accepting\n this dialog."),
                          2)
{
    setWindowTitle(tr("Select Joint Parameters"));
    m_all = addBox(tr("All Parameters"), QStringLiteral("VxSelectJointParamsSelectAllCbx"), 0, 0, 4);
    m_default = addBox(tr("Default Parameters"), QStringLiteral("VxSelectJointParamsDefaultCbx"), 1, 1, 3);
    m_twist = addBox(tr("Twist Axis"), QStringLiteral("VxSelectJointParamsTwistCbx"), 2, 3, 1);
    m_side = addBox(tr("Least Likely to Reach 90 Degrees <Side-Side>"), QStringLiteral("VxSelectJointParamsSideCbx"),
                    3, 3, 1);
    m_bend = addBox(tr("Most Likely to Reach 90 Degrees <Bend>"), QStringLiteral("VxSelectJointParamsBendCbx"), 4, 3,
                    1);
    m_smooth = addBox(tr("Smooth Zone"), QStringLiteral("VxSelectJointParamsSmoothCbx"), 5, 3, 1);
    m_curve = addBox(tr("Curve"), QStringLiteral("VxSelectJointParamsCurveCbx"), 6, 1, 3);
    connect(m_all, &QCheckBox::clicked, this, &VxSelectPoserJointParamsDlg::selectAllToggled);
    connect(m_default, &QCheckBox::clicked, this, &VxSelectPoserJointParamsDlg::selectDefaultToggled);
    for (QCheckBox* box : {m_twist, m_side, m_bend, m_smooth, m_curve})
        connect(box, &QCheckBox::clicked, this, &VxSelectPoserJointParamsDlg::paramToggled);

    if (VxFSHierarchyItem* bone = singleBone()) {
        m_twist->setChecked(bone->getTwist());
        m_side->setChecked(bone->getSideSide());
        m_bend->setChecked(bone->getBend());
        m_smooth->setChecked(bone->getScale());
        m_curve->setChecked(bone->getCurve());
        m_default->setChecked(m_twist->isChecked() && m_side->isChecked() && m_smooth->isChecked()
                              && m_bend->isChecked());
        m_all->setChecked(m_default->isChecked() && m_curve->isChecked());
    }
    finishLayout();
}

void VxSelectPoserJointParamsDlg::selectAllToggled(bool on)
{
    for (QCheckBox* box : {m_default, m_twist, m_bend, m_side, m_smooth, m_curve})
        box->setChecked(on);
}

void VxSelectPoserJointParamsDlg::selectDefaultToggled(bool on)
{
    for (QCheckBox* box : {m_twist, m_bend, m_side, m_smooth})
        box->setChecked(on);
    // The defaults alone are not all parameters while the curve is off.
    if (!on || m_curve->isChecked())
        m_all->setChecked(on);
}

void VxSelectPoserJointParamsDlg::paramToggled(bool /*on*/)
{
    const bool defaults = m_twist->isChecked() && m_bend->isChecked() && m_smooth->isChecked() && m_side->isChecked();
    m_default->setChecked(defaults);
    m_all->setChecked(defaults && m_curve->isChecked());
}

void VxSelectPoserJointParamsDlg::accept()
{
    for (VxFSHierarchyItem* bone : selectedBones()) {
        bone->setTwist(m_twist->isChecked());
        bone->setBend(m_bend->isChecked());
        bone->setSideSide(m_side->isChecked());
        bone->setScale(m_smooth->isChecked());
        bone->setCurve(m_curve->isChecked());
    }
    QDialog::accept();
}
