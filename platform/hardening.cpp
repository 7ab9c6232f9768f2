#include "platform/hardening.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <sys/resource.h>
#endif

void protectProcessMemory() {
#ifdef Q_OS_LINUX
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    // Not dumpable also means: no core file whatever the limit, and no ptrace or /proc/<pid>/mem access
    // by other processes of the same user.
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}
