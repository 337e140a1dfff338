#pragma once

#include <QString>

#include <functional>

// Runs the work of a file reader so that no exception leaves it: the readers are called
// from the user interface, where an exception would end the program. Running out of memory
// (a std::bad_alloc from Qt or the block stack) is the one failure expected there.
class VxFSReaderGuard
{
public:
    // Empty when `work` finished; otherwise what went wrong, in words for a message.
    static QString run(const std::function<void()>& work);
};
