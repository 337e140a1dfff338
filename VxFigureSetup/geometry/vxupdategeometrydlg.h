#pragma once

#include "vxbasicdialog.h"

class QRadioButton;
class VxBrowseEdit;

// The options of Update Base Geometry: which of the three operations to run and, for the
// two that read a mesh file, the file. The file field is enabled exactly while such an
// operation is chosen. The caller chooses the first operation and file before running it
// and reads both back afterwards.
class VxUpdateGeometryDlg : public VxBasicDialog
{
    Q_OBJECT
public:
    VxUpdateGeometryDlg();
    ~VxUpdateGeometryDlg() override;

    // The radio button of an operation (VxUpdateGeometryRequest::Operation); null for others.
    QRadioButton* getOperationButton(int operation) const;
    VxBrowseEdit* getFileEdit() const { return m_fileEdit; }

    void setOperation(int operation);
    // The chosen operation: 1 or 2 when their button is checked, else 0.
    int getOperation() const;
    void setFileName(const QString& fileName);
    QString getFileName() const;

public slots:
    void handleOperationClicked();
    void handleBrowseClicked();

private:
    QRadioButton* m_currentShapeButton;
    QRadioButton* m_vertexFileButton;
    QRadioButton* m_fullFileButton;
    VxBrowseEdit* m_fileEdit;
};
