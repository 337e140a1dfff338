#include "vxfilefilter.h"

void VxFileFilter::newFilter(const QString& description)
{
    m_filters.append({description, {}});
}

void VxFileFilter::addExtension(const QString& extension)
{
    if (m_filters.isEmpty())
        newFilter(QString());
    QString ext = extension;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    m_filters.last().extensions.append(ext);
}

QString VxFileFilter::getDescription(int index) const
{
    return index >= 0 && index < m_filters.size() ? m_filters[index].description : QString();
}

QStringList VxFileFilter::getExtensions(int index) const
{
    return index >= 0 && index < m_filters.size() ? m_filters[index].extensions : QStringList();
}

void VxFileFilter::setDefaultFilter(int index)
{
    if (index >= 0 && index < m_filters.size())
        m_defaultFilter = index;
}

QString VxFileFilter::toQtFilter() const
{
    QStringList parts;
    for (int i = 0; i < m_filters.size(); ++i)
        parts.append(toQtFilter(i));
    return parts.join(QStringLiteral(";;"));
}

QString VxFileFilter::toQtFilter(int index) const
{
    if (index < 0 || index >= m_filters.size())
        return QString();
    QStringList patterns;
    for (const QString& ext : m_filters[index].extensions)
        patterns.append(QStringLiteral("*.") + ext);
    return QStringLiteral("%1 (%2)").arg(m_filters[index].description, patterns.join(QLatin1Char(' ')));
}

bool VxFileFilter::matches(const QString& fileName) const
{
    for (const Filter& filter : m_filters) {
        for (const QString& ext : filter.extensions) {
            if (fileName.endsWith(QLatin1Char('.') + ext, Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}
