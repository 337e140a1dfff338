#pragma once

#include <functional>
#include <memory>

class VxProgress;

// The progress display of one figure build and the catch-all around its steps: whatever a
// step throws (the host's code may), the build stops there, what was made stays in the
// scene, the display is finished and "Unknown error occurred while creating figure." is
// written as a warning. Nothing escapes to the caller.
class VxFSBuildGuard
{
public:
    // Opens "Creating new figure..." counting `boneCount` steps, without a Cancel button.
    explicit VxFSBuildGuard(int boneCount);
    ~VxFSBuildGuard();
    VxFSBuildGuard(const VxFSBuildGuard&) = delete;
    VxFSBuildGuard& operator=(const VxFSBuildGuard&) = delete;

    VxProgress* progress() const { return m_progress.get(); }

    // Runs `steps`; false when they threw.
    bool run(const std::function<void()>& steps);
    // Takes the display down; the destructor does it too.
    void close();

    // The catch-all alone, for callers with a clean-up of their own: on an exception runs
    // `onFailure` (when given), then writes the warning; false when `steps` threw.
    static bool runGuarded(const std::function<void()>& steps, const std::function<void()>& onFailure);

private:
    std::unique_ptr<VxProgress> m_progress;
};
