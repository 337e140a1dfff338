#pragma once

#include "vxsdkglobal.h"

#include <QDialog>

#include <memory>

class QBoxLayout;
class QDialogButtonBox;
class QLayout;
class QPushButton;
class VxBasicDialogValidator;

// The host's dialog frame: the content the caller adds, one above the other, and below it
// an accept and a cancel button. Accepting (the button, Return, or accept()) first asks the
// validator, when one is installed, and keeps the dialog open when it refuses. Subclasses
// that check their own input override accept() and call QDialog::accept() when it passes.
class VXSDK_EXPORT VxBasicDialog : public QDialog
{
    Q_OBJECT
public:
    explicit VxBasicDialog(QWidget* parent = nullptr, const QString& name = QString());
    ~VxBasicDialog() override;

    void addLayout(QLayout* layout, int stretch = 0);
    void addWidget(QWidget* widget, int stretch = 0);

    void showAcceptButton(bool show);
    void showCancelButton(bool show);
    void setAcceptButtonText(const QString& text);
    QPushButton* getAcceptButton() const;
    QPushButton* getCancelButton() const;

    // The dialog owns its validator; installing another deletes the previous one.
    void setValidator(std::unique_ptr<VxBasicDialogValidator> validator);
    VxBasicDialogValidator* getValidator() const { return m_validator.get(); }

public slots:
    void accept() override;

private:
    QBoxLayout* m_content = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    std::unique_ptr<VxBasicDialogValidator> m_validator;
};
