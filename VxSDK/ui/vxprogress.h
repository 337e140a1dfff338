#pragma once

#include "vxsdkglobal.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdio>

class QProgressDialog;

// A progress display for a long operation of `total` steps, shown one way at a time:
// - while the host's main window is on screen, a modal QProgressDialog titled `title` over
//   it, appearing only when the work takes longer than half a second (quick work shows
//   nothing), or at once with `showAtOnce`;
// - otherwise, when the host runs a batch job (setConsoleOutput), a one-line bar on stderr
//   that redraws in place and ends with a line break when the work is closed;
// - otherwise (tests, library use) nothing, though it still counts and signals.
//
// `canCancel` gives the dialog a Cancel button (see wasCancelled()). step() advances,
// finish() jumps to the end (the work is done), close() takes the display down; the
// destructor closes it too.
class VXSDK_EXPORT VxProgress : public QObject
{
    Q_OBJECT
public:
    VxProgress(const QString& title, int total, bool canCancel, bool showAtOnce, QObject* parent = nullptr);
    ~VxProgress() override;

    // Batch runs switch the console bar on; `stream` is where it goes (stderr by default).
    static void setConsoleOutput(bool enabled, std::FILE* stream = stderr);
    static bool isConsoleOutputEnabled();

    QString getTitle() const { return m_title; }
    int getTotal() const { return m_total; }
    int getValue() const { return m_value; }
    bool isFinished() const { return m_finished; }
    bool isClosed() const { return m_closed; }
    bool wasCancelled() const;
    bool hasDialog() const { return !m_dialog.isNull(); }
    bool hasConsoleBar() const { return m_console != nullptr; }

    void step(int steps = 1);
    void setValue(int value);
    void finish();
    void close();

signals:
    void progressed(int value, int total);
    void finished();
    void closed();

private:
    void drawConsoleBar(bool force);

    QString m_title;
    int m_total;
    int m_value = 0;
    bool m_finished = false;
    bool m_closed = false;
    QPointer<QProgressDialog> m_dialog;
    std::FILE* m_console = nullptr;
    int m_drawnPercent = -1;
    QElapsedTimer m_sinceDrawn;
};
