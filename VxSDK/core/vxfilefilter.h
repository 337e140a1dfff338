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
    QString getDescription(int index) const;
    QStringList getExtensions(int index) const;
    // The filter list in QFileDialog's ";;" form.
    QString toQtFilter() const;
    // True when the file name ends with one of the extensions of any filter.
    bool matches(const QString& fileName) const;

private:
    struct Filter
    {
        QString description;
        QStringList extensions;
    };
    QList<Filter> m_filters;
};
