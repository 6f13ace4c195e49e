#include "headless/database/SafeFile.h"
#include "headless/database/FileLock.h"
#include <map>
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

bool Gone(long pid) {
  if (pid <= 0 || pid == ::getpid()) return false;
  // A process that still exists may still be writing it.
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// True for "PID", and for "PID.xref-save-PID2": the temporary that a
// process writing the temporary PID gave to its own save of it, as the
// script command's child does. Every process named must be gone.
bool StaleSuffix(const std::string& rest) {
  const size_t mark = rest.find(kTempMark);
  const std::string digits = rest.substr(0, mark);
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  if (!Gone(std::strtol(digits.c_str(), nullptr, 10))) return false;
  return mark == std::string::npos || (mark == digits.size() && StaleSuffix(rest.substr(mark + sizeof kTempMark - 1)));
}

// Temporaries of earlier saves of this target whose process is gone.
void RemoveStaleTemps(const std::string& target) {
  const std::string prefix = "." + BaseOf(target) + kTempMark;
  const std::string folder = FolderOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    // The temporary's own temporary has one dot more in front.
    const size_t at = name.compare(0, prefix.size(), prefix) == 0 ? 0 : name.compare(1, prefix.size(), prefix) == 0 && name[0] == '.' ? 1 : std::string::npos;
    if (at == std::string::npos) continue;
    if (StaleSuffix(name.substr(at + prefix.size()))) ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
}

// What a file was when this process read or wrote it, by canonical
// target: a save refuses to replace a file that has changed since.
struct Identity {
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  long long mtimeNanos = 0;
  bool operator==(const Identity& o) const {
    return dev == o.dev && ino == o.ino && size == o.size && mtimeNanos == o.mtimeNanos;
  }
};
Identity IdentityOf(const struct stat& st) {
  return Identity{st.st_dev, st.st_ino, st.st_size,
                  static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}
std::map<std::string, Identity>& Known() {
  static std::map<std::string, Identity> known;
  return known;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
}  // namespace

// The target a save writes: the path itself, or what its symbolic links lead
// to. A link to nowhere yet is saved as a new file where it points.
bool SafeFile::ResolveTarget(const std::string& path, std::string* target, std::string* error) {
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

std::string SafeFile::CanonicalTarget(const std::string& path) {
  std::string target, ignored;
  if (!ResolveTarget(path, &target, &ignored)) target = path;
  char* folder = ::realpath(FolderOf(target).c_str(), nullptr);
  if (!folder) return target;
  std::string result = folder;
  std::free(folder);
  return (result == "/" ? "" : result) + "/" + BaseOf(target);
}

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
  if (static_cast<unsigned long long>(st.st_size) > kMaxInputBytes) {
    ::close(fd);
    *error = "cannot open " + path + ": larger than " + std::to_string(kMaxInputBytes >> 20) + " MiB";
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
  Known()[CanonicalTarget(path)] = IdentityOf(st);
  return true;
}

namespace {
// The number of the first line longer than the limit, or 0.
size_t LongLine(const std::string& text) {
  size_t start = 0, number = 1;
  for (;;) {
    const size_t end = text.find('\n', start);
    const size_t length = (end == std::string::npos ? text.size() : end) - start;
    if (length > SafeFile::kMaxLineBytes) return number;
    if (end == std::string::npos) return 0;
    start = end + 1;
    ++number;
  }
}

std::string LineTooLong(const std::string& name, size_t number) {
  return name + ":" + std::to_string(number) + ": line longer than " +
         std::to_string(SafeFile::kMaxLineBytes >> 10) + " KiB";
}
}  // namespace

bool SafeFile::ReadText(const std::string& path, std::string* text, std::string* error) {
  if (!Read(path, text, error)) return false;
  const size_t number = LongLine(*text);
  if (number == 0) return true;
  text->clear();
  *error = LineTooLong(path, number);
  return false;
}

bool SafeFile::LineReader::Next(std::string* line) {
  line->clear();
  if (!error_.empty()) return false;
  std::streambuf* buf = in_.rdbuf();
  bool any = false;
  for (;;) {
    const int c = buf ? buf->sbumpc() : std::char_traits<char>::eof();
    if (c == std::char_traits<char>::eof()) break;
    any = true;
    if (++total_ > kMaxInputBytes) {
      error_ = name_ + ": more than " + std::to_string(kMaxInputBytes >> 20) + " MiB of input";
      line->clear();
      return false;
    }
    if (c == '\n') break;
    if (line->size() == kMaxLineBytes) {
      error_ = LineTooLong(name_, number_ + 1);
      line->clear();
      return false;
    }
    line->push_back(static_cast<char>(c));
  }
  if (!any) return false;
  ++number_;
  return true;
}

bool SafeFile::Stage(const std::string& path, Staged* staged, std::string* error) {
  if (path.empty()) {
    *error = "cannot save: no file name";
    return false;
  }
  staged->path = path;
  if (!ResolveTarget(path, &staged->target, error)) return false;
  staged->mode = 0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }();
  struct stat st;
  staged->existed = ::stat(staged->target.c_str(), &st) == 0;
  if (staged->existed) {
    staged->mode = st.st_mode & 07777;
    const Identity now = IdentityOf(st);
    staged->dev = now.dev;
    staged->ino = now.ino;
    staged->size = now.size;
    staged->mtimeNanos = now.mtimeNanos;
  }
  staged->temp = TempName(staged->target, ::getpid());
  return true;
}

namespace {
// The target must be what this process read (when it read it) and what it
// was when the save was staged.
bool Unchanged(const SafeFile::Staged& staged, const std::string& key, std::string* error) {
  struct stat st;
  const bool exists = ::stat(staged.target.c_str(), &st) == 0;
  bool same = exists == staged.existed;
  if (same && exists) same = IdentityOf(st) == Identity{staged.dev, staged.ino, staged.size, staged.mtimeNanos};
  auto known = Known().find(key);
  if (same && exists && known != Known().end()) same = known->second == IdentityOf(st);
  if (same) return true;
  *error = "cannot save " + staged.path + ": another program changed it since it was read; not overwritten";
  return false;
}
}  // namespace

bool SafeFile::Commit(const Staged& staged, std::string* error) {
  const bool locked = FileLock::Held(staged.target);
  if (!locked && !FileLock::Acquire(staged.target, error)) {
    Discard(staged);
    return false;
  }
  const std::string key = CanonicalTarget(staged.target);
  bool ok = Unchanged(staged, key, error);
  int fd = ok ? ::open(staged.temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW) : -1;
  struct stat written {};
  if (ok && (fd < 0 || ::fchmod(fd, staged.mode) != 0 || ::fsync(fd) != 0 || ::fstat(fd, &written) != 0))
    ok = Fail(error, "cannot save " + staged.path + ": cannot write", staged.temp, errno);
  if (fd >= 0) ::close(fd);
  if (ok && ::rename(staged.temp.c_str(), staged.target.c_str()) != 0)
    ok = Fail(error, "cannot save", staged.path, errno);
  if (!locked) FileLock::Release(staged.target);
  if (!ok) {
    Discard(staged);
    return false;
  }
  Known()[key] = IdentityOf(written);
  SyncFolder(FolderOf(staged.target));
  RemoveStaleTemps(staged.target);
  return true;
}

void SafeFile::Discard(const Staged& staged) {
  if (!staged.temp.empty()) ::unlink(staged.temp.c_str());
}

bool SafeFile::Replace(const std::string& path, const std::string& bytes, std::string* error) {
  Staged staged;
  if (!Stage(path, &staged, error)) return false;
  int fd = ::open(staged.temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return Fail(error, "cannot save " + path + ": cannot create", staged.temp, errno);
  bool ok = WriteAll(fd, bytes);
  int err = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    Discard(staged);
    return Fail(error, "cannot save " + path + ": cannot write", staged.temp, err);
  }
  return Commit(staged, error);
}
