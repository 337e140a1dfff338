#include "vxfsuniquename.h"

#include "vxfswarningbox.h"

QString VxFSUniqueName::resolveClash(const QString& requested, const std::function<QSet<QString>()>& takenNames,
                                     const QString& title, const QString& text)
{
    // The user cannot decline: the warning only tells what is about to happen.
    VxFSWarningBox::show(title, text);
    const QString base = requested + QLatin1Char('_');
    // One pass over the forest for all candidates keeps a clash linear in the forest size.
    const QSet<QString> taken = takenNames();
    for (int n = 1; n <= 1000; ++n) {
        const QString candidate = base + QString::number(n);
        if (!taken.contains(candidate))
            return candidate;
    }
    return base;
}
