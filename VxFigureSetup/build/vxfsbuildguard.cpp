#include "vxfsbuildguard.h"

#include "vxprogress.h"

#include <QString>
#include <QtGlobal>

VxFSBuildGuard::VxFSBuildGuard(int boneCount)
    : m_progress(std::make_unique<VxProgress>(QStringLiteral("Creating new figure..."), boneCount, false, false))
{
}

VxFSBuildGuard::~VxFSBuildGuard() = default;

bool VxFSBuildGuard::run(const std::function<void()>& steps)
{
    return runGuarded(steps, [this] { m_progress->finish(); });
}

void VxFSBuildGuard::close()
{
    m_progress->close();
}

bool VxFSBuildGuard::runGuarded(const std::function<void()>& steps, const std::function<void()>& onFailure)
{
    try {
        if (steps)
            steps();
        return true;
    } catch (...) {
        if (onFailure)
            onFailure();
        qWarning("Unknown error occurred while creating figure.");
        return false;
    }
}
