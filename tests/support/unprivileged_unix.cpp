#include "support/unprivileged.h"

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

bool isRoot()
{
    return geteuid() == 0;
}

bool chownToUnprivileged(const char *path)
{
    return !isRoot() || chown(path, UnprivilegedId, UnprivilegedId) == 0;
}

ChildEnd runInChild(const std::function<bool()> &fn, bool unprivileged, long limitBytes,
                    bool killOnLimit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && isRoot()) {
            if (setgroups(0, nullptr) != 0 || setgid(UnprivilegedId) != 0 ||
                setuid(UnprivilegedId) != 0)
                _exit(2);
        }
        if (limitBytes > 0) {
            signal(SIGXFSZ, killOnLimit ? SIG_DFL : SIG_IGN);
            const rlimit limit{rlim_t(limitBytes), rlim_t(limitBytes)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        _exit(fn() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return ChildEnd::Killed;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildEnd::Succeeded : ChildEnd::Failed;
}

} // namespace testsupport
