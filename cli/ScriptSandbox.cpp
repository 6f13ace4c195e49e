#include "cli/ScriptSandbox.h"
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define XREF_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define XREF_ASAN 1
#endif
#endif

bool SandboxLimitsAddressSpace() {
#ifdef XREF_ASAN
  return false;
#else
  return true;
#endif
}

namespace {
constexpr int kParentGone = 125;

void SetLimits(const SandboxLimits& limits) {
  // The soft limit sends SIGXCPU; the hard one a second later kills.
  const rlim_t cpu = static_cast<rlim_t>(limits.cpuSeconds);
  rlimit time{cpu, cpu + 1};
  setrlimit(RLIMIT_CPU, &time);
  if (!SandboxLimitsAddressSpace()) return;
  // The limit covers the program as loaded as well as what the script takes.
  const rlim_t bytes = static_cast<rlim_t>(limits.memoryBytes) + (rlim_t{512} << 20);
  rlimit memory{bytes, bytes};
  setrlimit(RLIMIT_AS, &memory);
}

// A child killed from outside is not one that used up its time: only the
// processor time it used tells the limit's kill from another.
std::string Why(int status, const rusage& used, const SandboxLimits& limits) {
  const int sig = WTERMSIG(status);
  const bool timeUsed = used.ru_utime.tv_sec + used.ru_stime.tv_sec + 1 >= limits.cpuSeconds;
  if (sig == SIGXCPU || (sig == SIGKILL && timeUsed))
    return "stopped after its time limit of " + std::to_string(limits.cpuSeconds) + " s of processor time";
  if (sig == SIGABRT || sig == SIGSEGV || sig == SIGBUS)
    return std::string("stopped: it ran out of memory or failed (") + strsignal(sig) + ")";
  return std::string("stopped by signal ") + strsignal(sig);
}
}  // namespace

int RunSandboxed(const SandboxLimits& limits, const std::function<int()>& work, std::string* stopped) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  const pid_t parent = ::getpid();
  const pid_t child = fork();
  if (child < 0) {
    *stopped = std::string("cannot start the script's process: ") + std::strerror(errno);
    return -1;
  }
  if (child == 0) {
    // The child dies with its parent: a killed parent leaves no script
    // running on, nor writing temporaries nobody will rename.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) _exit(kParentGone);
    SetLimits(limits);
    const int code = work();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(code);
  }
  int status = 0;
  rusage used{};
  while (wait4(child, &status, 0, &used) < 0) {
    if (errno == EINTR) continue;
    *stopped = std::string("lost the script's process: ") + std::strerror(errno);
    return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  *stopped = Why(status, used, limits);
  return -1;
}
