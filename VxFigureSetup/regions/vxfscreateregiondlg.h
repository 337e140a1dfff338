#pragma once

#include "vxbasicdialog.h"

#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class VxShape;

// Asks for the name of a new region. Accepting refuses an empty name and a name some region
// of the shape already has, each with a warning, and keeps the prompt open. A shape without
// regions first gets the root region "Actor". With `createUnderRoot` the prompt also adds the
// new region as the root's last child; otherwise the caller reads the accepted name and
// places the region itself.
class VxFSCreateRegionDlg : public VxBasicDialog
{
    Q_OBJECT
public:
    VxFSCreateRegionDlg(QWidget* parent, VxShape* shape, bool createUnderRoot);
    ~VxFSCreateRegionDlg() override;

    // The name accepted; empty until the prompt was accepted with a name.
    QString getRegionName() const { return m_regionName; }
    QLineEdit* getNameEdit() const { return m_nameEdit; }

public slots:
    void accept() override;

private:
    QLabel* m_prompt;
    QLineEdit* m_nameEdit;
    QString m_regionName;
    QPointer<VxShape> m_shape;
    bool m_createUnderRoot;
};
