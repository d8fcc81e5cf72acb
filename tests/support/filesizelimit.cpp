#include "support/filesizelimit.h"

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

void FileSizeLimit::apply(QProcess &process, qint64 limitBytes)
{
    process.setChildProcessModifier([limitBytes] {
        // An ignored signal stays ignored across exec; only async-signal-safe calls here.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(limitBytes), rlim_t(limitBytes)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(127);
    });
}
