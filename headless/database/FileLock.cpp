#include "headless/database/FileLock.h"
#include "headless/database/SafeFile.h"
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
// The locks this process holds, by target. A forked child shares the
// parent's descriptors but never removes the parent's lock files.
struct Held {
  std::map<std::string, int> fds;
  pid_t owner = ::getpid();
  ~Held() {
    if (::getpid() != owner) return;
    for (auto& held : fds) {
      ::unlink(FileLock::LockName(held.first).c_str());
      ::close(held.second);
    }
  }
};
Held& Locks() {
  static Held held;
  return held;
}

std::string Target(const std::string& path) { return SafeFile::CanonicalTarget(path); }

std::string Seconds(int ms) {
  std::string s = std::to_string(ms / 1000);
  if (ms % 1000) s += "." + std::to_string(ms % 1000 / 100);
  return s + " s";
}

std::string HolderOf(int fd) {
  char buf[32] = {};
  ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
  std::string pid(buf, n > 0 ? static_cast<size_t>(n) : 0);
  while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' ')) pid.pop_back();
  return pid.empty() ? "unknown" : pid;
}

// True when the descriptor still is the file at `name`: a holder removes
// the lock file as it lets go, and a waiter that then got the lock of the
// removed file must start again.
bool StillThere(int fd, const std::string& name) {
  struct stat open {}, now {};
  return ::fstat(fd, &open) == 0 && ::stat(name.c_str(), &now) == 0 && open.st_dev == now.st_dev &&
         open.st_ino == now.st_ino;
}

void RecordHolder(int fd) {
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) < 0) return;
}
}  // namespace

std::string FileLock::LockName(const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  return (folder == "/" ? "" : folder) + "/." + base + ".xref-lock";
}

int FileLock::WaitMillis() {
  const char* wait = std::getenv("XREF_LOCK_WAIT_MS");
  if (!wait || !*wait) return 10000;
  const long ms = std::strtol(wait, nullptr, 10);
  return ms < 0 ? 0 : ms > 600000 ? 600000 : static_cast<int>(ms);
}

bool FileLock::Held(const std::string& path) { return Locks().fds.count(Target(path)) != 0; }

bool FileLock::Acquire(const std::string& path, std::string* error) {
  const std::string target = Target(path);
  if (Locks().fds.count(target)) return true;
  const std::string name = LockName(target);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitMillis());
  for (;;) {
    int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
      *error = "cannot lock " + path + ": cannot create " + name + ": " + std::strerror(errno);
      return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (StillThere(fd, name)) {
        RecordHolder(fd);
        Locks().fds[target] = fd;
        return true;
      }
      ::close(fd);
      continue;
    }
    const int err = errno;
    const std::string holder = HolderOf(fd);
    ::close(fd);
    if (err != EWOULDBLOCK && err != EINTR) {
      *error = "cannot lock " + path + ": " + std::strerror(err);
      return false;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      *error = path + " is being written by another xref process (process " + holder + "); gave up after " +
               Seconds(WaitMillis());
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void FileLock::Release(const std::string& path) {
  auto& fds = Locks().fds;
  auto it = fds.find(Target(path));
  if (it == fds.end()) return;
  ::unlink(LockName(it->first).c_str());
  ::close(it->second);
  fds.erase(it);
}
