#pragma once

#include "vxsdkglobal.h"

#include <QWidget>

class QLineEdit;
class QToolButton;
class QValidator;

// A text field with a browse button beside it, for a file path a user can type, paste,
// drop or choose. The button only announces browseClicked(); the owner shows whatever
// dialog fits and puts the choice back with setText.
class VXSDK_EXPORT VxBrowseEdit : public QWidget
{
    Q_OBJECT
public:
    explicit VxBrowseEdit(QWidget* parent = nullptr);
    ~VxBrowseEdit() override;

    void setText(const QString& text);
    QString getText() const;
    void setPlaceholderText(const QString& text);
    // The field does not own the validator; parent it to the field or its dialog.
    void setValidator(const QValidator* validator);

    QLineEdit* getLineEdit() const { return m_edit; }
    QToolButton* getBrowseButton() const { return m_button; }

signals:
    void browseClicked();

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
};
