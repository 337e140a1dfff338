#pragma once

#include "vxsdkglobal.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class VxActionRegistry;
class VxFileFilter;
class VxPaneMgr;
class VxViewportMgr;

// The host's main window, reached through vxApp->getInterface(): its pane manager (the
// docked panes) and the one instance of each registered action.
class VXSDK_EXPORT VxMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit VxMainWindow(QWidget* parent = nullptr);
    ~VxMainWindow() override;

    // Shows a file dialog (open when `open` is true, else save). Returns true when the user
    // accepted, with the chosen file in `fileName`. When answers were queued with
    // queueFileDialogAnswer, the next one is used instead of showing a dialog: scripts and
    // tests drive file choices this way. An empty queued answer means "cancelled".
    // The dialog starts with the filter's default filter.
    bool doFileDialog(bool open, const QString& caption, const QString& startDirectory,
                      const VxFileFilter& filter, QString& fileName,
                      QString* selectedFilter = nullptr, QWidget* parent = nullptr);
    // An open dialog in which the user may choose several files at once; a queued answer
    // gives all of them.
    bool doFileDialog(const QString& caption, const QString& startDirectory,
                      const VxFileFilter& filter, QStringList& fileNames,
                      QString* selectedFilter = nullptr, QWidget* parent = nullptr);

    // The scene's viewport manager (redraw locking); null when there is no scene.
    VxViewportMgr* getViewportMgr() const;
    VxPaneMgr& getPaneMgr() const { return *m_paneMgr; }
    VxActionRegistry& getActionRegistry() const { return *m_actions; }

    static void queueFileDialogAnswer(const QString& fileName);
    // The files of one answer to a dialog that takes several (an empty list cancels it).
    static void queueFileDialogAnswer(const QStringList& fileNames);
    static void clearFileDialogAnswers();
    static int getNumQueuedFileDialogAnswers();

    // What the last file dialog was asked to show (for scripts and tests).
    QString getLastFileDialogCaption() const { return m_lastCaption; }
    QString getLastFileDialogDirectory() const { return m_lastDirectory; }

private:
    // The next queued answer, if any, noting what the dialog was asked to show.
    bool takeQueuedAnswer(const QString& caption, const QString& startDirectory,
                          const VxFileFilter& filter, QStringList& answer, QString* selectedFilter);

    VxPaneMgr* m_paneMgr; // a child of the window
    std::unique_ptr<VxActionRegistry> m_actions;
    QString m_lastCaption;
    QString m_lastDirectory;
};
