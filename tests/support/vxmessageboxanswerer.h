#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Answers modal message boxes from a test: while it lives, it polls for the active modal
// QMessageBox, records its title and text, and clicks the button whose text (without '&')
// is the next queued answer, or "Ok"/"OK" when nothing is queued.
class VxMessageBoxAnswerer : public QObject
{
    Q_OBJECT
public:
    struct Seen
    {
        QString title;
        QString text;
        QString clicked;
        // Button texts in order as shown (with their '&'), and the default and escape
        // buttons' texts (empty when there is none).
        QStringList buttons;
        QString defaultButton;
        QString escapeButton;
    };

    explicit VxMessageBoxAnswerer(QObject* parent = nullptr);
    ~VxMessageBoxAnswerer() override;

    // Queues the button text to press on the next box ("&Yes", "Yes", "Cancel", ...).
    void queueAnswer(const QString& buttonText);

    const QList<Seen>& seen() const { return m_seen; }
    int count() const { return m_seen.size(); }

private:
    void poll();

    QTimer m_timer;
    QList<QString> m_answers;
    QList<Seen> m_seen;
};
