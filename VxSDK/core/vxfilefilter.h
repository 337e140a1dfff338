#pragma once

#include "vxsdkglobal.h"

#include <QList>
#include <QString>
#include <QStringList>

// File-dialog filters: each filter has a description and extensions.
// newFilter("Vexel Figure Template") + addExtension("vxt") -> "Vexel Figure Template (*.vxt)".
class VXSDK_EXPORT VxFileFilter
{
public:
    // Starts a new filter; the following addExtension calls belong to it.
    void newFilter(const QString& description);
    void addExtension(const QString& extension);

    int getNumFilters() const { return m_filters.size(); }
    // The filter a file dialog starts with; the first one unless set (an index out of range
    // is ignored).
    void setDefaultFilter(int index);
    int getDefaultFilter() const { return m_defaultFilter; }
    QString getDescription(int index) const;
    QStringList getExtensions(int index) const;
    // The filter list in QFileDialog's ";;" form.
    QString toQtFilter() const;
    // One filter in that form ("Wavefront OBJ (*.obj)"); empty for an index out of range.
    QString toQtFilter(int index) const;
    // True when the file name ends with one of the extensions of any filter.
    bool matches(const QString& fileName) const;

private:
    struct Filter
    {
        QString description;
        QStringList extensions;
    };
    QList<Filter> m_filters;
    int m_defaultFilter = 0;
};
