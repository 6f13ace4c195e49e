#include "headless/database/SafeFile.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char kTempMark[] = ".xref-save-";

std::string Cause(int err) {
  switch (err) {
    case EROFS: return "read-only file system";
    case ENOSPC: return "no space left on device";
    case EDQUOT: return "disk quota exceeded";
    case EISDIR: return "is a directory";
    case EACCES:
    case EPERM: return "permission denied";
    case ENOENT: return "no such file or directory";
    case ENOTDIR: return "a folder in the path is not a folder";
    default: return std::strerror(err);
  }
}

bool Fail(std::string* error, const std::string& what, const std::string& path, int err) {
  *error = what + " " + path + ": " + Cause(err);
  return false;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The target a save writes: the path itself, or what its symbolic links lead
// to. A link to nowhere yet is saved as a new file where it points.
bool ResolveTarget(const std::string& path, std::string* target, std::string* error) {
  *target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(target->c_str(), &st) != 0) {
      if (errno == ENOENT) return true;
      return Fail(error, "cannot save", path, errno);
    }
    if (!S_ISLNK(st.st_mode)) {
      if (S_ISDIR(st.st_mode)) return Fail(error, "cannot save", path, EISDIR);
      if (!S_ISREG(st.st_mode)) {
        *error = "cannot save " + path + ": not a regular file";
        return false;
      }
      return true;
    }
    char buf[PATH_MAX];
    ssize_t n = ::readlink(target->c_str(), buf, sizeof buf - 1);
    if (n < 0) return Fail(error, "cannot save", path, errno);
    std::string link(buf, static_cast<size_t>(n));
    *target = link[0] == '/' ? link : FolderOf(*target) + "/" + link;
  }
  return Fail(error, "cannot save", path, ELOOP);
}

// Temporaries of earlier saves of this target whose process is gone.
void RemoveStaleTemps(const std::string& target) {
  const std::string prefix = "." + BaseOf(target) + kTempMark;
  const std::string folder = FolderOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    long pid = std::strtol(digits.c_str(), nullptr, 10);
    if (pid <= 0 || pid == ::getpid()) continue;
    // A process that still exists may still be writing it.
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
}  // namespace

std::string SafeFile::TempName(const std::string& target, long pid) {
  return FolderOf(target) + "/." + BaseOf(target) + kTempMark + std::to_string(pid);
}

bool SafeFile::Read(const std::string& path, std::string* bytes, std::string* error) {
  // Non-blocking, so a FIFO cannot hold the open; it is refused below anyway.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(error, "cannot open", path, errno);
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    return Fail(error, "cannot open", path, err);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) return Fail(error, "cannot open", path, EISDIR);
    *error = "cannot open " + path + ": not a regular file";
    return false;
  }
  bytes->assign(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes->size()) {
    ssize_t n = ::read(fd, &(*bytes)[done], bytes->size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      return Fail(error, "cannot read", path, err);
    }
    if (n == 0) break;  // shrank while read: what is there is checked like any file
    done += static_cast<size_t>(n);
  }
  bytes->resize(done);
  ::close(fd);
  return true;
}

bool SafeFile::Replace(const std::string& path, const std::string& bytes, std::string* error) {
  if (path.empty()) {
    *error = "cannot save: no file name";
    return false;
  }
  std::string target;
  if (!ResolveTarget(path, &target, error)) return false;
  mode_t mode = 0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }();
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;

  const std::string temp = TempName(target, ::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return Fail(error, "cannot save " + path + ": cannot create", temp, errno);
  bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  int err = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return Fail(error, "cannot save " + path + ": cannot write", temp, err);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    return Fail(error, "cannot save", path, err);
  }
  SyncFolder(FolderOf(target));
  RemoveStaleTemps(target);
  return true;
}
