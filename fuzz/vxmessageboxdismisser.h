#pragma once

#include <QObject>

// Closes every message box as soon as it is shown, so that readers whose warnings are modal
// boxes (a bone name clash, say) run unattended: fuzzing and replaying thousands of inputs
// cannot wait for a person. Counts the boxes it closed.
class VxMessageBoxDismisser : public QObject
{
    Q_OBJECT
public:
    // Watches the whole application while it lives.
    explicit VxMessageBoxDismisser(QObject* parent = nullptr);
    ~VxMessageBoxDismisser() override;

    int count() const { return m_count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_count = 0;
};
