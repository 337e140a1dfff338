#pragma once

#include "vxbonechoicesdialog.h"

class QCheckBox;

// "Select Weight Maps": which weight maps (twist, side-side, bend, scale) and which bulge
// bindings (under the three axes) the selected bones of a single-skin figure get.
// "Default Parameters" stands for the four maps, "All Parameters" for maps and bulges.
class VxSelectVxFigureWeightMaps : public VxBoneChoicesDialog
{
    Q_OBJECT
public:
    explicit VxSelectVxFigureWeightMaps(QTreeWidget* view);

public slots:
    void accept() override;

private slots:
    void selectAllToggled(bool on);
    void selectDefaultToggled(bool on);
    void paramToggled(bool on);

private:
    bool allBulges() const;

    QCheckBox* m_all;
    QCheckBox* m_default;
    QCheckBox* m_twist;
    QCheckBox* m_twistBulge;
    QCheckBox* m_side;
    QCheckBox* m_sideBulge;
    QCheckBox* m_bend;
    QCheckBox* m_bendBulge;
    QCheckBox* m_scale;
};
