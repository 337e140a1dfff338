#pragma once

#include <QObject>
#include <QTimer>

// In a batch run nobody can answer a modal dialog, and one left open would hang the run.
// While this object lives it watches for modal dialogs: a message box is written to stderr
// (title and text) and answered with its default button; any other dialog is written to
// stderr and cancelled.
class VxBatchDialogAnswerer : public QObject
{
    Q_OBJECT
public:
    explicit VxBatchDialogAnswerer(QObject* parent = nullptr);

    int getNumAnswered() const { return m_answered; }

private:
    void answerActiveDialog();

    QTimer m_timer;
    int m_answered = 0;
};
