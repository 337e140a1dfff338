#include "vxfscreateregiondlg.h"

#include "vxgeometryregion.h"
#include "vxshape.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {
const char* const kRootName = "Actor";
} // namespace

VxFSCreateRegionDlg::VxFSCreateRegionDlg(QWidget* parent, VxShape* shape, bool createUnderRoot)
    : VxBasicDialog(parent, QStringLiteral("VxFSCreateRegionDlg")),
      m_prompt(new QLabel(tr("Enter a name for the new Region."))),
      m_nameEdit(new QLineEdit),
      m_shape(shape),
      m_createUnderRoot(createUnderRoot)
{
    setWindowTitle(tr("Create Region"));
    m_prompt->setObjectName(QStringLiteral("VxFSCreateRegionDlgPromptLbl"));
    m_nameEdit->setObjectName(QStringLiteral("VxFSCreateRegionDlgNameEdit"));
    addWidget(m_prompt);
    addWidget(m_nameEdit);
    m_nameEdit->setFocus();
}

VxFSCreateRegionDlg::~VxFSCreateRegionDlg() = default;

void VxFSCreateRegionDlg::accept()
{
    // Without a shape there is nowhere to put a region: the prompt simply closes.
    if (!m_shape) {
        QDialog::accept();
        return;
    }
    const QString name = m_nameEdit->text().trimmed();
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Empty Name Error"), tr("Please enter a name for the Region."),
                             QMessageBox::Ok);
        return;
    }
    VxGeometryRegion* root = m_shape->getGeometryRegion();
    if (!root) {
        root = new VxGeometryRegion(QString::fromLatin1(kRootName));
        root->setLabel(QString::fromLatin1(kRootName));
        m_shape->setGeometryRegion(root);
    }
    if (root->findRegion(name)) {
        QMessageBox::warning(this, tr("Name Collision Error"),
                             tr("The name provided already exists. Please enter another name."), QMessageBox::Ok);
        return;
    }
    if (m_createUnderRoot) {
        auto* region = new VxGeometryRegion(name);
        region->setLabel(name);
        root->addChildRegion(region);
    }
    m_regionName = name;
    QDialog::accept();
}
