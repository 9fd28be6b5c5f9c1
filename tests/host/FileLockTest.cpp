// The lock of a shared file: exclusive across processes and threads, kept
// across the atomic rename of the file, bounded in its wait, and gone with
// its holder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::TempDir;

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

std::vector<String> FolderEntries(const fs::path& dir) {
  std::vector<String> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs `body` in a child process and gives its exit status.
int InChild(const std::function<int()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) {
    int status = 99;
    try {
      status = body();
    } catch (...) {
    }
    ::_exit(status);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child: 0 when it gets the lock at once, 1 when it is refused after
// its short wait with a message naming the file, 2 otherwise.
int TryLockInChild(const String& file) {
  return InChild([&] {
    try {
      TFileLock lock(file, 20ms);
      return 0;
    } catch (const EFileLockError& e) {
      return Contains(e.Message(), file) && Contains(e.Message(), "waited") ? 1 : 2;
    }
  });
}

TEST(FileLockTest, ExcludesOtherProcessesAcrossTheAtomicRenameAndLeavesNoFileBehind) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  testsupport::WriteFile(file, "old\r\n");
  {
    TFileLock lock(file);
    EXPECT_TRUE(FileExists(file + ".lock"));
    EXPECT_EQ(TryLockInChild(file), 1);
    // Replacing the file gives it a new inode; the lock stays with the name.
    WriteFileAtomically(file, "new\r\n");
    EXPECT_EQ(TryLockInChild(file), 1);
  }
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<String>{"shared.txt"});
  EXPECT_EQ(TryLockInChild(file), 0);
  // A file that does not exist yet is locked all the same.
  const String fresh = dir.File("fresh.txt");
  TFileLock lock(fresh);
  EXPECT_EQ(TryLockInChild(fresh), 1);
}

TEST(FileLockTest, AWaiterGetsTheLockWhenItsHolderFinishesOrDies) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  for (bool dies : {false, true}) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
      ::close(ready[0]);
      {
        TFileLock lock(file);
        (void)!::write(ready[1], "x", 1);
        std::this_thread::sleep_for(150ms);
        // Dying while holding the lock leaves the lock file behind.
        if (dies) ::_exit(0);
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    EXPECT_NO_THROW({ TFileLock lock(file, 30s); }) << (dies ? "holder died" : "holder finished");
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<String>{}) << dies;
  }
}

TEST(FileLockTest, ThreadsOfOneProcessExcludeEachOtherAndAHolderIsNotMadeToWaitForItself) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  String otherThread;
  {
    TFileLock lock(file);
    try {
      TFileLock again(file, 600s);
      ADD_FAILURE() << "a second lock of one thread was granted";
    } catch (const EFileLockError& e) {
      EXPECT_TRUE(Contains(e.Message(), "this thread already holds")) << e.Message();
      EXPECT_TRUE(Contains(e.Message(), file));
    }
    std::thread([&] {
      try {
        TFileLock other(file, 20ms);
        otherThread = "granted";
      } catch (const EFileLockError& e) {
        otherThread = e.Message();
      }
    }).join();
    EXPECT_TRUE(Contains(otherThread, "another process holds it (waited 0.02 s)")) << otherThread;
  }
  std::thread([&] {
    TFileLock other(file, 20ms);
    otherThread = "granted";
  }).join();
  EXPECT_EQ(otherThread, "granted");
}

TEST(FileLockTest, ALinkSharesItsTargetsLock) {
  TempDir dir;
  const String target = dir.File("real.txt");
  const String link = dir.File("link.txt");
  testsupport::WriteFile(target, "x");
  fs::create_symlink(target, link);
  EXPECT_EQ(TFileLock::LockFileName(link), target + ".lock");
  TFileLock lock(link);
  EXPECT_EQ(TryLockInChild(target), 1);
}

TEST(FileLockTest, LockFilesThatCannotBeMadeOrAreSomeoneElsesFile) {
  TempDir dir;
  try {
    TFileLock lock(dir.File("no/such/folder/x.txt"));
    ADD_FAILURE() << "locked a file in a folder that does not exist";
  } catch (const EFCreateError& e) {
    EXPECT_TRUE(Contains(e.Message(), "no/such/folder/x.txt")) << e.Message();
  }
  // A file of the lock file's name with content serves as the lock file but
  // is not removed.
  const String file = dir.File("data.txt");
  testsupport::WriteFile(file + ".lock", "notes\n");
  { TFileLock lock(file); }
  EXPECT_EQ(testsupport::ReadFile(file + ".lock"), "notes\n");
}

}  // namespace
