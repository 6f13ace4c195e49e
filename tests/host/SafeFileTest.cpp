// Reading and saving files: only regular files are read or replaced, a save
// keeps the target's mode and links, cleans up after killed saves, and says
// which file failed and why.
#include "headless/database/FileLock.h"
#include "headless/database/SafeFile.h"
#include "tests/support/TestApp.h"
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
mode_t ModeOf(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st.st_mode;
}

// A process id that no process has any more.
long DeadPid() {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}
}  // namespace

TEST(SafeFile, ReadsOnlyRegularFiles) {
  TempDir dir;
  std::string bytes, error;
  ASSERT_EQ(0, ::mkfifo(dir.File("fifo").c_str(), 0600));
  // Opening a FIFO with no writer must not block, and nothing is read.
  EXPECT_FALSE(SafeFile::Read(dir.File("fifo"), &bytes, &error));
  EXPECT_NE(std::string::npos, error.find("not a regular file")) << error;
  EXPECT_NE(std::string::npos, error.find(dir.File("fifo"))) << error;
  EXPECT_FALSE(SafeFile::Read(dir.File(""), &bytes, &error));
  EXPECT_NE(std::string::npos, error.find("is a directory")) << error;
  EXPECT_FALSE(SafeFile::Read(dir.File("missing"), &bytes, &error));
  EXPECT_NE(std::string::npos, error.find("no such file")) << error;
  std::ofstream(dir.File("plain")) << "twelve bytes";
  ASSERT_TRUE(SafeFile::Read(dir.File("plain"), &bytes, &error)) << error;
  EXPECT_EQ("twelve bytes", bytes);
}

TEST(SafeFile, RefusesToReplaceWhatIsNotARegularFile) {
  TempDir dir;
  std::string error;
  ASSERT_EQ(0, ::mkfifo(dir.File("fifo").c_str(), 0600));
  EXPECT_FALSE(SafeFile::Replace(dir.File("fifo"), "data", &error));
  EXPECT_NE(std::string::npos, error.find("not a regular file")) << error;
  EXPECT_TRUE(S_ISFIFO(ModeOf(dir.File("fifo"))));
  // Nor through a link to one.
  ASSERT_EQ(0, ::symlink(dir.File("fifo").c_str(), dir.File("to-fifo").c_str()));
  EXPECT_FALSE(SafeFile::Replace(dir.File("to-fifo"), "data", &error));
  EXPECT_TRUE(S_ISFIFO(ModeOf(dir.File("fifo"))));
  EXPECT_TRUE(S_ISLNK(ModeOf(dir.File("to-fifo"))));
  ::mkdir(dir.File("folder").c_str(), 0700);
  EXPECT_FALSE(SafeFile::Replace(dir.File("folder"), "data", &error));
  EXPECT_NE(std::string::npos, error.find("is a directory")) << error;
  EXPECT_FALSE(SafeFile::Replace("", "data", &error));
  EXPECT_FALSE(error.empty());
}

TEST(SafeFile, KeepsTheModeAndSavesThroughLinks) {
  TempDir dir;
  std::string error;
  const std::string target = dir.File("doc");
  ASSERT_TRUE(SafeFile::Replace(target, "one", &error)) << error;
  ASSERT_EQ(0, ::chmod(target.c_str(), 0640));
  ASSERT_TRUE(SafeFile::Replace(target, "two", &error)) << error;
  EXPECT_EQ(0640u, ModeOf(target) & 07777);
  EXPECT_EQ("two", FileBytes(target));

  ASSERT_EQ(0, ::symlink("doc", dir.File("link").c_str()));
  ASSERT_TRUE(SafeFile::Replace(dir.File("link"), "three", &error)) << error;
  EXPECT_TRUE(S_ISLNK(ModeOf(dir.File("link"))));
  EXPECT_EQ("three", FileBytes(target));
  EXPECT_EQ(0640u, ModeOf(target) & 07777);
}

TEST(SafeFile, ASuccessfulSaveRemovesOnlyTheStaleTemporariesOfItsTarget) {
  TempDir dir;
  std::string error;
  const std::string target = dir.File("doc");
  const std::string stale = SafeFile::TempName(target, DeadPid());
  const std::string running = SafeFile::TempName(target, static_cast<long>(::getppid()));
  const std::string other = SafeFile::TempName(dir.File("other"), DeadPid());
  for (const std::string& f : {stale, running, other}) std::ofstream(f) << "half-written";
  EXPECT_EQ(dir.File(".doc.xref-save-"), stale.substr(0, dir.File(".doc.xref-save-").size()));
  ASSERT_TRUE(SafeFile::Replace(target, "saved", &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(running));  // its process may still be writing it
  EXPECT_TRUE(std::filesystem::exists(other));    // another document's
  EXPECT_EQ("saved", FileBytes(target));
}

TEST(SafeFile, FailuresNameTheFileAndTheCause) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(SafeFile::Replace(dir.File("no-folder/doc"), "data", &error));
  EXPECT_NE(std::string::npos, error.find("no such file or directory")) << error;
  EXPECT_NE(std::string::npos, error.find(dir.File("no-folder/doc"))) << error;
  std::ofstream(dir.File("file")) << "x";
  EXPECT_FALSE(SafeFile::Replace(dir.File("file/doc"), "data", &error));
  EXPECT_NE(std::string::npos, error.find("not a folder")) << error;
}

TEST(SafeFile, InputsAreBoundedAndLongLinesRefused) {
  TempDir dir;
  std::string text, error;
  std::ofstream(dir.File("long")) << "short\n" << std::string(SafeFile::kMaxLineBytes + 1, 'x') << "\n";
  EXPECT_FALSE(SafeFile::ReadText(dir.File("long"), &text, &error));
  EXPECT_NE(std::string::npos, error.find(dir.File("long") + ":2: line longer than 64 KiB")) << error;
  std::ofstream(dir.File("edge")) << std::string(SafeFile::kMaxLineBytes, 'x');
  EXPECT_TRUE(SafeFile::ReadText(dir.File("edge"), &text, &error)) << error;
  // A sparse file past the limit is refused before anything is read.
  std::ofstream(dir.File("huge")).close();
  ASSERT_EQ(0, ::truncate(dir.File("huge").c_str(), static_cast<off_t>(SafeFile::kMaxInputBytes) + 1));
  EXPECT_FALSE(SafeFile::Read(dir.File("huge"), &text, &error));
  EXPECT_NE(std::string::npos, error.find("larger than 64 MiB")) << error;

  // A stream is read line by line, with the same bounds.
  std::istringstream lines("one\ntwo\n" + std::string(SafeFile::kMaxLineBytes + 1, 'y'));
  SafeFile::LineReader reader(lines, "input");
  std::string line;
  EXPECT_TRUE(reader.Next(&line));
  EXPECT_EQ("one", line);
  EXPECT_TRUE(reader.Next(&line));
  EXPECT_FALSE(reader.Next(&line));
  EXPECT_EQ("input:3: line longer than 64 KiB", reader.Error());
}

TEST(SafeFile, AFileChangedSinceItWasReadIsNotOverwritten) {
  TempDir dir;
  std::string bytes, error;
  const std::string doc = dir.File("doc");
  ASSERT_TRUE(SafeFile::Replace(doc, "first", &error)) << error;
  ASSERT_TRUE(SafeFile::Read(doc, &bytes, &error)) << error;
  std::ofstream(dir.File("other")) << "another program's";
  ASSERT_EQ(0, ::rename(dir.File("other").c_str(), doc.c_str()));
  EXPECT_FALSE(SafeFile::Replace(doc, "mine", &error));
  EXPECT_NE(std::string::npos, error.find("changed it since it was read")) << error;
  EXPECT_EQ("another program's", FileBytes(doc));
  // Read again, it is written; and what this process wrote it may write over.
  ASSERT_TRUE(SafeFile::Read(doc, &bytes, &error)) << error;
  EXPECT_TRUE(SafeFile::Replace(doc, "mine", &error)) << error;
  EXPECT_TRUE(SafeFile::Replace(doc, "mine again", &error)) << error;

  // A staged save notices a change made while its temporary was written.
  SafeFile::Staged staged;
  ASSERT_TRUE(SafeFile::Stage(doc, &staged, &error)) << error;
  std::ofstream(staged.temp) << "staged";
  std::ofstream(dir.File("other")) << "meanwhile";
  ASSERT_EQ(0, ::rename(dir.File("other").c_str(), doc.c_str()));
  EXPECT_FALSE(SafeFile::Commit(staged, &error));
  EXPECT_EQ("meanwhile", FileBytes(doc));
  EXPECT_FALSE(std::filesystem::exists(staged.temp));
}

TEST(SafeFile, TheTemporariesOfAKilledScriptAreCleanedUp) {
  TempDir dir;
  std::string error;
  const std::string target = dir.File("doc");
  // What a killed script leaves: its parent's temporary, and the child's
  // own temporary of that temporary.
  const std::string parents = SafeFile::TempName(target, DeadPid());
  const std::string childs = SafeFile::TempName(parents, DeadPid());
  const std::string living = SafeFile::TempName(SafeFile::TempName(target, DeadPid()), ::getppid());
  for (const std::string& f : {parents, childs, living}) std::ofstream(f) << "half-written";
  ASSERT_TRUE(SafeFile::Replace(target, "saved", &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(parents));
  EXPECT_FALSE(std::filesystem::exists(childs));
  EXPECT_TRUE(std::filesystem::exists(living));
}

// Another process holds a document's lock for a while: a writer waits for
// it, or, past its wait, fails naming the document and that process.
TEST(FileLock, ASecondWriterWaitsThenGivesUpNamingTheHolder) {
  TempDir dir;
  std::string error;
  const std::string doc = dir.File("doc");
  ASSERT_TRUE(SafeFile::Replace(doc, "first", &error)) << error;
  int ready[2];
  ASSERT_EQ(0, ::pipe(ready));
  const pid_t holder = ::fork();
  if (holder == 0) {
    std::string ignored;
    const bool locked = FileLock::Acquire(doc, &ignored);
    (void)!::write(ready[1], locked ? "y" : "n", 1);
    ::usleep(600 * 1000);
    FileLock::Release(doc);
    ::_exit(0);
  }
  char answer = 0;
  ASSERT_EQ(1, ::read(ready[0], &answer, 1));
  ASSERT_EQ('y', answer);
  ::setenv("XREF_LOCK_WAIT_MS", "100", 1);
  EXPECT_FALSE(FileLock::Acquire(doc, &error));
  EXPECT_FALSE(SafeFile::Replace(doc, "second", &error));
  EXPECT_NE(std::string::npos, error.find(doc)) << error;
  EXPECT_NE(std::string::npos, error.find("process " + std::to_string(holder))) << error;
  EXPECT_EQ("first", FileBytes(doc));
  ::unsetenv("XREF_LOCK_WAIT_MS");
  // With the usual wait the holder lets go in time.
  EXPECT_TRUE(FileLock::Acquire(doc, &error)) << error;
  EXPECT_TRUE(SafeFile::Replace(doc, "second", &error)) << error;
  FileLock::Release(doc);
  EXPECT_FALSE(std::filesystem::exists(FileLock::LockName(doc)));
  ::waitpid(holder, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
}
