#pragma once

#include <functional>

// Root ignores file modes, so cases about read-only files and unwritable folders run in a
// child process as an unprivileged user. Without root the child keeps the caller's user.
namespace testsupport {

inline constexpr unsigned UnprivilegedId = 65534; // nobody

enum class ChildEnd { Succeeded, Failed, Killed };

// Runs fn in a forked child; limitBytes > 0 caps the size of files it may write, and with
// killOnLimit the child dies at the cap as it would in a crash mid-write.
ChildEnd runInChild(const std::function<bool()> &fn, bool unprivileged, long limitBytes = 0,
                    bool killOnLimit = false);

bool isRoot();
bool chownToUnprivileged(const char *path);

} // namespace testsupport
