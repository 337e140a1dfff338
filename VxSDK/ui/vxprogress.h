#pragma once

#include "vxsdkglobal.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QProgressDialog;

// A progress display for a long operation of `total` steps. With a GUI up (a main window
// on a visible platform) it shows a QProgressDialog titled `title`; offscreen and in batch
// runs it shows nothing but still counts, and reports through its signals.
//
// Flags: `canCancel` gives the dialog a Cancel button (see wasCancelled()); `showAtOnce`
// shows it immediately, otherwise it appears only when the work takes longer than half a
// second. Figure builders pass (false, false).
//
// step() advances, finish() jumps to the end (the work is done), close() takes the display
// down; the destructor closes it too.
class VXSDK_EXPORT VxProgress : public QObject
{
    Q_OBJECT
public:
    VxProgress(const QString& title, int total, bool canCancel, bool showAtOnce, QObject* parent = nullptr);
    ~VxProgress() override;

    QString getTitle() const { return m_title; }
    int getTotal() const { return m_total; }
    int getValue() const { return m_value; }
    bool isFinished() const { return m_finished; }
    bool isClosed() const { return m_closed; }
    bool wasCancelled() const;
    bool hasDialog() const { return !m_dialog.isNull(); }

    void step(int steps = 1);
    void setValue(int value);
    void finish();
    void close();

signals:
    void progressed(int value, int total);
    void finished();
    void closed();

private:
    QString m_title;
    int m_total;
    int m_value = 0;
    bool m_finished = false;
    bool m_closed = false;
    QPointer<QProgressDialog> m_dialog;
};
