#include "vxpathvalidator.h"

#include <QFileInfo>
#include <QUrl>

VxPathValidator::VxPathValidator(QObject* parent) : QValidator(parent) {}

VxPathValidator::~VxPathValidator() = default;

QValidator::State VxPathValidator::validate(QString& input, int& pos) const
{
    // A dropped URI list ends its line; that break is not part of the path.
    while (input.endsWith(QLatin1Char('\n')) || input.endsWith(QLatin1Char('\r')))
        input.chop(1);
    pos = qMin(pos, input.size());
    for (const QChar c : input) {
        if (c.category() == QChar::Other_Control)
            return Invalid;
    }
    if (input.startsWith(QLatin1String("file://"))) {
        const QUrl url(input.trimmed());
        if (url.isLocalFile()) {
            input = url.toLocalFile();
            pos = input.size();
        }
    }
    const QString path = input.trimmed();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return Intermediate;
    return Acceptable;
}

void VxPathValidator::fixup(QString& input) const
{
    QString path = input.trimmed();
    for (const QChar quote : {QLatin1Char('"'), QLatin1Char('\'')}) {
        if (path.size() >= 2 && path.startsWith(quote) && path.endsWith(quote))
            path = path.mid(1, path.size() - 2);
    }
    input = path;
}
