#include "vxbrowseedit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

VxBrowseEdit::VxBrowseEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    m_edit->setObjectName(QStringLiteral("VxBrowseEditLine"));
    m_button->setObjectName(QStringLiteral("VxBrowseEditButton"));
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(tr("Browse..."));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_button, &QToolButton::clicked, this, &VxBrowseEdit::browseClicked);
}

VxBrowseEdit::~VxBrowseEdit() = default;

void VxBrowseEdit::setText(const QString& text)
{
    m_edit->setText(text);
}

QString VxBrowseEdit::getText() const
{
    return m_edit->text();
}

void VxBrowseEdit::setPlaceholderText(const QString& text)
{
    m_edit->setPlaceholderText(text);
}

void VxBrowseEdit::setValidator(const QValidator* validator)
{
    m_edit->setValidator(validator);
}
