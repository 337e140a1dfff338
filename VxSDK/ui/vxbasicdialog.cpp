#include "vxbasicdialog.h"

#include "vxbasicdialogvalidator.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

VxBasicDialog::VxBasicDialog(QWidget* parent, const QString& name) : QDialog(parent)
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    m_content = new QVBoxLayout;
    layout->addLayout(m_content, 1);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &VxBasicDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &VxBasicDialog::reject);
}

VxBasicDialog::~VxBasicDialog() = default;

void VxBasicDialog::addLayout(QLayout* layout, int stretch)
{
    if (layout)
        m_content->addLayout(layout, stretch);
}

void VxBasicDialog::addWidget(QWidget* widget, int stretch)
{
    if (widget)
        m_content->addWidget(widget, stretch);
}

void VxBasicDialog::showAcceptButton(bool show)
{
    getAcceptButton()->setVisible(show);
}

void VxBasicDialog::showCancelButton(bool show)
{
    getCancelButton()->setVisible(show);
}

void VxBasicDialog::setAcceptButtonText(const QString& text)
{
    getAcceptButton()->setText(text);
}

QPushButton* VxBasicDialog::getAcceptButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* VxBasicDialog::getCancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void VxBasicDialog::setValidator(std::unique_ptr<VxBasicDialogValidator> validator)
{
    m_validator = std::move(validator);
}

void VxBasicDialog::accept()
{
    if (m_validator && !m_validator->validate(this))
        return;
    QDialog::accept();
}
