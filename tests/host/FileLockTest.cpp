// The lock of a shared file: exclusive across processes and threads, kept
// across the atomic rename of the file, bounded in its wait, gone with its
// holder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::TempDir;

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

size_t FilesIn(const fs::path& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// What another process gets: 0 the lock at once, 1 a refusal after its
// short wait naming the file, 2 anything else.
int LockInChild(const String& file) {
  pid_t pid = ::fork();
  if (pid == 0) {
    try {
      TFileLock lock(file, 20ms);
      ::_exit(0);
    } catch (const EFileLockError& e) {
      ::_exit(Contains(e.Message(), file) && Contains(e.Message(), "(waited 0.02 s)") ? 1 : 2);
    } catch (...) {
    }
    ::_exit(2);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FileLockTest, ExcludesOtherProcessesAcrossTheAtomicRenameAndLeavesNoFileBehind) {
  TempDir dir;
  const String file = dir.File("shared.txt"), link = dir.File("link.txt");
  testsupport::WriteFile(file, "old\r\n");
  fs::create_symlink(file, link);
  {
    TFileLock lock(link);  // a link shares its target's lock
    EXPECT_TRUE(FileExists(file + ".lock"));
    EXPECT_EQ(LockInChild(file), 1);
    WriteFileAtomically(file, "new\r\n");  // a new inode under the name
    EXPECT_EQ(LockInChild(file), 1);
  }
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
  EXPECT_EQ(LockInChild(file), 0);

  EXPECT_THROW(TFileLock(dir.File("no/such/folder/x.txt")), EFCreateError);
  // A file of the lock file's name with content serves, and stays.
  testsupport::WriteFile(file + ".lock", "notes\n");
  { TFileLock lock(file); }
  EXPECT_EQ(testsupport::ReadFile(file + ".lock"), "notes\n");
}

TEST(FileLockTest, AWaiterGetsTheLockWhenItsHolderFinishesOrDies) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  for (bool dies : {false, true}) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
      {
        TFileLock lock(file);
        (void)!::write(ready[1], "x", 1);
        std::this_thread::sleep_for(150ms);
        if (dies) ::_exit(0);  // the lock file stays behind, unlocked
      }
      ::_exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_NO_THROW({ TFileLock lock(file, 30s); }) << dies;
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(FilesIn(dir.Path()), 0u) << dies;
  }
}

TEST(FileLockTest, ThreadsExcludeEachOtherAndAHolderIsNotMadeToWaitForItself) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  String otherThread;
  {
    TFileLock lock(file);
    EXPECT_THROW(TFileLock(file, 600s), EFileLockError);  // at once, not after 600 s
    std::thread([&] {
      try {
        TFileLock other(file, 20ms);
      } catch (const EFileLockError& e) {
        otherThread = e.Message();
      }
    }).join();
  }
  EXPECT_TRUE(Contains(otherThread, "another process holds it (waited 0.02 s)")) << otherThread;
  std::thread([&] { EXPECT_NO_THROW(TFileLock(file, 0ms)); }).join();
}

}  // namespace
