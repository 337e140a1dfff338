#pragma once

#include <QObject>
#include <QString>

class VxFSHierarchy;

// A named node of the document's region tree. Regions form an intrusive forest like bones:
// a region owns its children (appended at the tail); its QObject parent is the document
// for a top-level region, else its parent region. Names are unique among all regions.
class VxFSRegionItem : public QObject
{
    Q_OBJECT
public:
    // Each constructor names the region (uniqueness applies) and links it at the tail.
    VxFSRegionItem(VxFSHierarchy* document, const QString& name);
    VxFSRegionItem(VxFSRegionItem* parent, const QString& name);
    ~VxFSRegionItem() override;

    QString getName() const { return m_name; }
    void setName(const QString& name);

    VxFSRegionItem* getFirstChild() const { return m_firstChild; }
    VxFSRegionItem* getNextSibling() const { return m_nextSibling; }
    void addChild(VxFSRegionItem* child);
    bool removeChild(VxFSRegionItem* child, bool recursive);
    VxFSRegionItem* findChild(const QString& name) const;
    int getNumChildren(bool recursive) const;

    VxFSHierarchy* getHierarchy() const;

signals:
    void nameChanged();

private:
    friend class VxFSForest;

    VxFSRegionItem* m_firstChild = nullptr;
    VxFSRegionItem* m_nextSibling = nullptr;
    VxFSRegionItem** m_listHead = nullptr;
    QString m_name;
};
