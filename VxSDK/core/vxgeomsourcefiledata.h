#pragma once

#include "vxelement.h"

// Records which mesh file, and which group of it, a node's geometry came from. It is hung
// on figures and shapes under the name "GeomSourceFileData".
class VXSDK_EXPORT VxGeomSourceFileData : public VxDataItem
{
    Q_OBJECT
public:
    explicit VxGeomSourceFileData(const QString& sourceFilePath = QString(),
                                  const QString& groupName = QString(), QObject* parent = nullptr);
    ~VxGeomSourceFileData() override;

    QString getSourceFilePath() const { return m_sourceFilePath; }
    void setSourceFilePath(const QString& path) { m_sourceFilePath = path; }
    QString getGroupName() const { return m_groupName; }
    void setGroupName(const QString& name) { m_groupName = name; }

    static QString itemName() { return QStringLiteral("GeomSourceFileData"); }

private:
    QString m_sourceFilePath;
    QString m_groupName;
};
