#pragma once

#include <QObject>
#include <QScriptable>
#include <QStringList>
#include <QVariantMap>

// The application object as scripts see it (the global `vxApp`): the host's paths, its
// log, the registered classes, the content folders, mesh summaries, queued file-dialog
// answers and running actions. Failures throw a script error with the reason.
class VxScriptAppInterface : public QObject, protected QScriptable
{
    Q_OBJECT
public:
    explicit VxScriptAppInterface(QObject* parent = nullptr);

    Q_INVOKABLE void log(const QString& line);
    Q_INVOKABLE QString getDocumentationPath() const;
    Q_INVOKABLE QString getDocumentsPath() const;
    Q_INVOKABLE QString getDataPath() const;
    // Names of every registered class, in registration order.
    Q_INVOKABLE QStringList getClassNames() const;
    // Adds a Poser runtime folder for this session.
    Q_INVOKABLE void addPoserDirectory(const QString& path);
    // Resolves a content path against every content folder; empty when nothing matches.
    Q_INVOKABLE QString findFile(const QString& path) const;
    // The JSON text vxhost --mesh-info prints for the file.
    Q_INVOKABLE QString meshInfo(const QString& path);
    // The next file dialog takes this answer instead of asking (empty: cancelled).
    Q_INVOKABLE void queueFileDialogAnswer(const QString& fileName);
    // Class names of the main window's docked panes, in docking order (batch runs have the
    // same panes as the window); empty without a main window.
    Q_INVOKABLE QStringList getPaneNames() const;
    // The pane of that class (or object) name, with its slots and properties; null when absent.
    Q_INVOKABLE QObject* findPane(const QString& name) const;
    // Runs the action registered as `className` once, with `settings` as its trigger
    // settings: vxApp.runAction("VxUpdateGeometryAction", {Filename: "body.obj", RunSilent: true}).
    // The main window's instance runs when there is a window (the one its menus hold);
    // otherwise a fresh instance is made, initialised, run and deleted.
    Q_INVOKABLE void runAction(const QString& className, const QVariantMap& settings = QVariantMap());

private:
    void throwError(const QString& message);
};
