#pragma once

#include "vxbonechoicesdialog.h"

class QCheckBox;

// "Select Joint Parameters": which joint parameters (twist, side-side, bend, smooth zone,
// curve) the selected bones of a parametric figure get. "Default Parameters" stands for the
// first four, "All Parameters" for all five.
class VxSelectPoserJointParamsDlg : public VxBoneChoicesDialog
{
    Q_OBJECT
public:
    explicit VxSelectPoserJointParamsDlg(QTreeWidget* view);

public slots:
    void accept() override;

private slots:
    void selectAllToggled(bool on);
    void selectDefaultToggled(bool on);
    void paramToggled(bool on);

private:
    QCheckBox* m_all;
    QCheckBox* m_default;
    QCheckBox* m_twist;
    QCheckBox* m_side;
    QCheckBox* m_bend;
    QCheckBox* m_smooth;
    QCheckBox* m_curve;
};
