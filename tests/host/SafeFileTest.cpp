// Reading and saving files: only regular files are read or replaced, a save
// keeps the target's mode and links, cleans up after killed saves, and says
// which file failed and why.
#include "headless/database/SafeFile.h"
#include "tests/support/TestApp.h"
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

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
