#pragma once

#include "vxsdkglobal.h"

#include <QAction>
#include <QVariantMap>

// Base of every host action: a QAction that runs executeAction() when triggered.
// A script can trigger an action with settings (triggerWithSettings); the action reads them
// through getTriggerSettings() while it runs. Plain triggers carry no settings.
class VXSDK_EXPORT VxAction : public QAction
{
    Q_OBJECT
public:
    VxAction(const QString& text, const QString& description, QObject* parent = nullptr);
    ~VxAction() override;

    QString getDescription() const { return m_description; }

    // Called by the host once, after construction, when the action is set up in the UI.
    virtual void init();
    // The group the host lists the action under, and its menu path ("&Edit/...").
    virtual QString getActionGroup() const;
    virtual QString getDefaultMenuPath() const;

    const QVariantMap& getTriggerSettings() const { return m_triggerSettings; }
    bool isInitialized() const { return m_initialized; }

public slots:
    virtual void executeAction() = 0;
    // Runs the action once with these settings, then forgets them.
    void triggerWithSettings(const QVariantMap& settings);

private slots:
    void onTriggered();

private:
    QString m_description;
    QVariantMap m_triggerSettings;
    bool m_initialized = false;
};
