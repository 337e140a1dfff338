#pragma once

#include <QSet>
#include <QString>

#include <functional>

// The clash rule shared by bone and region names: a name already taken in the document is
// announced once and gets "_" plus the first free number.
class VxFSUniqueName
{
public:
    // Shows one modal warning (`title`, `text`, the single button "Ok"), then returns
    // `requested` + "_" + the first n from 1 to 1000 whose name `takenNames()` lacks; when
    // all thousand are taken, `requested` + "_" alone. `takenNames` gives every name of the
    // document's forest (the renamed node's current name included); it is asked after the
    // warning, since the modal box runs an event loop.
    static QString resolveClash(const QString& requested, const std::function<QSet<QString>()>& takenNames,
                                const QString& title, const QString& text);
};
