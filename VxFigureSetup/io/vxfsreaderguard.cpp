#include "vxfsreaderguard.h"

#include "vxtstack.h"

#include <exception>
#include <new>

QString VxFSReaderGuard::run(const std::function<void()>& work)
{
    try {
        work();
    } catch (const VxTStackOutOfMemory& error) {
        return QString::fromLatin1(error.what());
    } catch (const std::bad_alloc&) {
        return QStringLiteral("there is not enough memory");
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("an unknown error occurred");
    }
    return QString();
}
