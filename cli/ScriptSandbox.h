#pragma once
// Runs work in a child process under limits on processor time and memory,
// so that a script that runs forever or allocates without end is stopped
// and takes nothing of the caller with it.
#include <cstddef>
#include <functional>
#include <string>

struct SandboxLimits {
  int cpuSeconds = 10;
  size_t memoryBytes = size_t{1} << 30;
};

// True when the process limits its address space; builds with
// AddressSanitizer reserve far more address space than they use, so there
// the interpreter's own allocation limit stands alone.
bool SandboxLimitsAddressSpace();

// The child's exit code, or -1 with `stopped` saying why the child was
// stopped (the limit it passed, or the signal that ended it).
int RunSandboxed(const SandboxLimits& limits, const std::function<int()>& work, std::string* stopped);
