#pragma once

#include "vxeditaction.h"

class VxFigure;

// Edit > Weights from Face Groups: fills the weight maps of the selected single-skin figure
// from its face groups (VxFaceGroupWeighting), so that it bends well without painting.
// Bones that already hold weights keep them unless the user asks to replace them: from the
// menu a question offers both when there are any; the trigger setting "Replace" (true or
// false) answers it for scripts. A figure that cannot be weighted is refused with the reason
// in a warning and in the log, and nothing changes.
class VXSDK_EXPORT VxWeightsFromFaceGroupsAction : public VxEditAction
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxWeightsFromFaceGroupsAction(QObject* parent = nullptr);
    ~VxWeightsFromFaceGroupsAction() override;

    void init() override;
    QString getActionGroup() const override;

public slots:
    void executeAction() override;

private:
    // The figure the selection stands for: the primary selection's skeleton.
    static VxFigure* selectedFigure();
    // Asks whether to keep painted weights; false when the user cancelled.
    bool askReplace(const VxFigure* figure, bool* replace) const;
    void refuse(const QString& reason) const;
    void followSelection();
};
