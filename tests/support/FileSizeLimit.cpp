#include "tests/support/FileSizeLimit.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvl::test {

int RunWithFileSizeLimit(qint64 limit, const std::function<int()>& step)
{
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{rlim_t(limit), rlim_t(limit)};
        _exit(setrlimit(RLIMIT_FSIZE, &size) == 0 ? step() : 255);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace kvl::test
