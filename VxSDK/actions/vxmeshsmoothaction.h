#pragma once

#include "vxeditaction.h"

// What the two mesh-smoothing actions share: their place under Edit > Mesh Smoothing, and
// what they do in this host, which has no mesh-smoothing modifier: log that the selection
// has nothing to work on and tell the user so in a warning, instead of pretending.
class VXSDK_EXPORT VxMeshSmoothAction : public VxEditAction
{
    Q_OBJECT
public:
    // What the warning and the log line say when the action runs.
    struct Refusal
    {
        QString logLine;
        QString title;
        QString text;
    };

    VxMeshSmoothAction(const QString& text, const QString& description, const Refusal& refusal,
                       QObject* parent = nullptr);
    ~VxMeshSmoothAction() override;

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;

public slots:
    void executeAction() override;

private:
    Refusal m_refusal;
};
