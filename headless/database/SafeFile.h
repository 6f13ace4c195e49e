#pragma once
// Reading and replacing files on disk without surprises: only regular files
// are read, never more than their size nor more than kMaxInputBytes; a file
// is replaced through a temporary beside it that is synced and renamed over
// it, keeping the target's mode and writing through a symbolic link to its
// target, under the target's lock (FileLock.h), and only while the target is
// still the file this process read. Messages name the file at fault and the
// cause.
#include <istream>
#include <string>
#include <sys/types.h>

namespace SafeFile {
constexpr size_t kMaxInputBytes = size_t{64} << 20;
constexpr size_t kMaxLineBytes = size_t{64} << 10;

// The whole file; false with a message when it is not a readable regular
// file or is larger than kMaxInputBytes.
bool Read(const std::string& path, std::string* bytes, std::string* error);
// As Read, for text: a line longer than kMaxLineBytes is refused too.
bool ReadText(const std::string& path, std::string* text, std::string* error);

// Lines of a stream that may be a pipe or standard input, read one at a
// time, bounded as files are: Next answers false at the end or at a fault,
// which Error then names ("" at a clean end).
class LineReader {
public:
  LineReader(std::istream& in, std::string name) : in_(in), name_(std::move(name)) {}
  bool Next(std::string* line);
  const std::string& Error() const { return error_; }

private:
  std::istream& in_;
  std::string name_, error_;
  size_t total_ = 0, number_ = 0;
};

// A replacement in two steps, for writers that write a file by name: Stage
// checks the target and names the temporary to write; Commit puts the
// temporary in place. A staged temporary not committed is the caller's to
// remove (Discard).
struct Staged {
  std::string path, target, temp;
  mode_t mode = 0;
  bool existed = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  long long mtimeNanos = 0;
};
bool Stage(const std::string& path, Staged* staged, std::string* error);
bool Commit(const Staged& staged, std::string* error);
void Discard(const Staged& staged);

// Replaces the file at `path` (or makes it) with `bytes`, atomically.
bool Replace(const std::string& path, const std::string& bytes, std::string* error);
// The temporary a save of `target` by process `pid` writes.
std::string TempName(const std::string& target, long pid);
// Where a save of `path` writes: the path itself or what its links lead
// to; false when that is not a regular file (or nothing yet).
bool ResolveTarget(const std::string& path, std::string* target, std::string* error);
// The resolved target as an absolute path with its folder's links resolved:
// one name for one file however it is reached.
std::string CanonicalTarget(const std::string& path);
}  // namespace SafeFile
