#include "vxupdategeometrydlg.h"

#include "vxupdategeometryrequest.h"

#include "vxapp.h"
#include "vxbrowseedit.h"
#include "vxfilefilter.h"
#include "vxfileio.h"
#include "vximportmgr.h"
#include "vxmainwindow.h"
#include "vxpathvalidator.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMinimumWidth = 250;

QString childName(const char* suffix)
{
    return QStringLiteral("UpdateBaseGeometry") + QLatin1String(suffix);
}

} // namespace

VxUpdateGeometryDlg::VxUpdateGeometryDlg()
    : VxBasicDialog(vxApp ? vxApp->getDialogParent() : nullptr, QStringLiteral("UpdateBaseGeometryDlg")),
      m_currentShapeButton(new QRadioButton(tr("Update Vertex Positions (from current shape)"))),
      m_vertexFileButton(new QRadioButton(tr("Update Vertex Positions (from file)"))),
      m_fullFileButton(new QRadioButton(tr("Update Full Geometry (from file)"))),
      m_fileEdit(new VxBrowseEdit)
{
    setWindowTitle(tr("Update Base Geometry"));
    const int spacing = style()->pixelMetric(QStyle::PM_CustomBase, nullptr, this);

    auto* operations = new QGroupBox(tr("Operation :"));
    operations->setObjectName(childName("OperationGBox"));
    auto* operationLayout = new QVBoxLayout(operations);
    operationLayout->setContentsMargins(spacing, spacing, spacing, spacing);
    operationLayout->setSpacing(spacing);
    m_currentShapeButton->setObjectName(childName("VertexPositionsCurrentShapeRBtn"));
    m_vertexFileButton->setObjectName(childName("VertexPositionsFileRBtn"));
    m_fullFileButton->setObjectName(childName("FullGeometryFileRBtn"));
    for (QRadioButton* button : {m_currentShapeButton, m_vertexFileButton, m_fullFileButton}) {
        operationLayout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &VxUpdateGeometryDlg::handleOperationClicked);
        // A caller checking a button in code gets the same field state as a click.
        connect(button, &QRadioButton::toggled, this, &VxUpdateGeometryDlg::handleOperationClicked);
    }
    addWidget(operations);

    auto* fileLayout = new QHBoxLayout;
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->setSpacing(spacing);
    auto* fileLabel = new QLabel(tr("File:"));
    fileLabel->setObjectName(childName("FileLbl"));
    m_fileEdit->setObjectName(childName("File"));
    m_fileEdit->setPlaceholderText(tr("Provide a valid path..."));
    m_fileEdit->setValidator(new VxPathValidator(m_fileEdit));
    m_fileEdit->setEnabled(false);
    connect(m_fileEdit, &VxBrowseEdit::browseClicked, this, &VxUpdateGeometryDlg::handleBrowseClicked);
    fileLabel->setBuddy(m_fileEdit->getLineEdit());
    fileLayout->addWidget(fileLabel);
    fileLayout->addWidget(m_fileEdit, 1);
    addLayout(fileLayout, 1);

    const QSize hint = minimumSizeHint();
    resize(std::max(hint.width(), kMinimumWidth), hint.height());
    setFixedHeight(height());
}

VxUpdateGeometryDlg::~VxUpdateGeometryDlg() = default;

QRadioButton* VxUpdateGeometryDlg::getOperationButton(int operation) const
{
    switch (operation) {
    case VxUpdateGeometryRequest::VertexPositionsFromCurrentShape:
        return m_currentShapeButton;
    case VxUpdateGeometryRequest::VertexPositionsFromFile:
        return m_vertexFileButton;
    case VxUpdateGeometryRequest::FullGeometryFromFile:
        return m_fullFileButton;
    default:
        return nullptr;
    }
}

void VxUpdateGeometryDlg::setOperation(int operation)
{
    if (QRadioButton* button = getOperationButton(operation))
        button->setChecked(true);
}

int VxUpdateGeometryDlg::getOperation() const
{
    if (m_vertexFileButton->isChecked())
        return VxUpdateGeometryRequest::VertexPositionsFromFile;
    if (m_fullFileButton->isChecked())
        return VxUpdateGeometryRequest::FullGeometryFromFile;
    return VxUpdateGeometryRequest::VertexPositionsFromCurrentShape;
}

void VxUpdateGeometryDlg::setFileName(const QString& fileName)
{
    m_fileEdit->setText(fileName);
}

QString VxUpdateGeometryDlg::getFileName() const
{
    return m_fileEdit->getText();
}

void VxUpdateGeometryDlg::handleOperationClicked()
{
    m_fileEdit->setEnabled(VxUpdateGeometryRequest::readsFile(getOperation()));
}

// Opens where the current file lies, else where the last mesh was imported from, with the
// filter of every geometry format preselected.
void VxUpdateGeometryDlg::handleBrowseClicked()
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    if (!window)
        return;
    VxImportMgr* importer = vxApp->getImportMgr();
    const QString current = m_fileEdit->getText().trimmed();
    const QString folder = current.isEmpty() ? importer->getImportPath() : VxFileIO::getFilePath(current);
    VxFileFilter filter;
    VxImportMgr::makeGeometryFileFilter(filter, QString(), true);
    filter.setDefaultFilter(filter.getNumFilters() - 1);
    QString fileName;
    if (window->doFileDialog(true, tr("Import Geometry"), folder, filter, fileName, nullptr, window))
        m_fileEdit->setText(fileName);
}
