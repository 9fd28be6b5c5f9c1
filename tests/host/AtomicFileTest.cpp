// Files replaced whole, several files replaced as one, and no temporary file
// left behind by a writer that failed, was stopped or died.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <thread>

#include "host/classes/AtomicFile.h"
#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

std::vector<String> Entries(const fs::path& dir) {
  std::vector<String> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Sets the test hooks for the time of a scope.
struct Hooks {
  explicit Hooks(void (*hook)(const String&), bool unnamed = true) {
    GBeforeAtomicRename = hook;
    GUnnamedTemporaries = unnamed;
  }
  ~Hooks() {
    GBeforeAtomicRename = nullptr;
    GUnnamedTemporaries = true;
  }
};

int gRenames = 0;

void Write(const String& file, const String& data) {
  TAtomicFileWriter out(file);
  out.Write(data);
  out.Commit();
}

TEST(AtomicFileTest, ATransactionReplacesItsFilesTogetherOrLeavesEveryOneAsItWas) {
  TempDir dir;
  const String a = dir.File("a.txt"), b = dir.File("b.txt"), c = dir.File("c.txt");
  WriteFile(a, "old a");
  WriteFile(b, "old b");
  for (bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed temporaries" : "named temporaries");
    // The third rename fails: the two before it are undone, the new file c
    // among them.
    {
      Hooks hooks(
          [](const String&) {
            if (++gRenames == 3) throw EWriteError("disk full");
          },
          unnamed);
      gRenames = 0;
      TAtomicFileTransaction transaction;
      Write(c, "new c");
      Write(a, "new a");
      EXPECT_EQ(ReadFile(a), "old a") << "prepared, not in place";
      EXPECT_EQ(ReadFile(LatestVersion(a)), "new a") << "readable as it will be";
      Write(b, "new b");
      EXPECT_THROW(transaction.Commit(), EWriteError);
    }
    EXPECT_EQ(ReadFile(a), "old a");
    EXPECT_EQ(ReadFile(b), "old b");
    EXPECT_EQ(Entries(dir.Path()), (std::vector<String>{"a.txt", "b.txt"}));

    // A transaction that ends without Commit writes nothing.
    {
      Hooks hooks(nullptr, unnamed);
      TAtomicFileTransaction transaction;
      Write(a, "new a");
    }
    EXPECT_EQ(ReadFile(a), "old a");
    EXPECT_EQ(Entries(dir.Path()), (std::vector<String>{"a.txt", "b.txt"}));
  }

  // Committed, every file is in place; the second version of one file is the
  // one that counts, and an inner transaction joins the outer one.
  {
    TAtomicFileTransaction transaction;
    Write(a, "first a");
    {
      TAtomicFileTransaction inner;
      Write(a, "new a");
      Write(b, "new b");
      inner.Commit();
    }
    EXPECT_EQ(ReadFile(b), "old b") << "the outer transaction decides";
    transaction.Commit();
  }
  EXPECT_EQ(ReadFile(a), "new a");
  EXPECT_EQ(ReadFile(b), "new b");
  EXPECT_EQ(Entries(dir.Path()), (std::vector<String>{"a.txt", "b.txt"}));
}

TEST(AtomicFileTest, ATransactionKeepsTheLocksReleasedInItUntilItsFilesAreInPlace) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  auto lockedElsewhere = [&] {
    bool locked = false;
    std::thread([&] {
      try {
        TFileLock other(file, 0ms);
      } catch (const EFileLockError&) {
        locked = true;
      }
    }).join();
    return locked;
  };
  {
    TAtomicFileTransaction transaction;
    {
      TFileLock lock(file);
      Write(file, "new");
    }
    EXPECT_TRUE(lockedElsewhere()) << "released before the file is in place";
    // The thread locks it again, as a second translator of the same file
    // does, without waiting for itself.
    EXPECT_NO_THROW(TFileLock again(file, 0ms));
    transaction.Lock(file);
    transaction.Commit();
    EXPECT_FALSE(lockedElsewhere());
  }
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(Entries(dir.Path()), std::vector<String>{"shared.txt"});
}

// Makes a writer in a child process that ends at once, without removing
// anything, once its temporary file has a name.
void DieWhileWriting(const String& file) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    GUnnamedTemporaries = false;
    TAtomicFileWriter out(file);
    out.Write("never finished");
    ::_exit(0);
  }
  ::waitpid(pid, nullptr, 0);
}

TEST(AtomicFileTest, TemporariesOfWritersThatDiedAreRemovedByTheNextWriter) {
  TempDir dir;
  const String file = dir.File("list.txt");
  WriteFile(file, "old");
  DieWhileWriting(file);
  const std::vector<String> first = Entries(dir.Path());
  ASSERT_EQ(first.size(), 2u) << "the temporary of a writer that died";
  // The next writer removes it, and dies too.
  DieWhileWriting(file);
  const std::vector<String> second = Entries(dir.Path());
  ASSERT_EQ(second.size(), 2u);
  EXPECT_NE(second, first);
  // One being written by a process still there stays, as does another file's.
  WriteFile(dir.File("other.txt.tmp1-1"), "not ours");
  const String live = file + ".tmp" + IntToStr(::getppid()) + "-7";
  WriteFile(live, "being written");
  const int held = ::open(live.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  Write(file, "new");
  ::close(held);
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(Entries(dir.Path()),
            (std::vector<String>{"list.txt", "list.txt.tmp" + IntToStr(::getppid()) + "-7",
                                 "other.txt.tmp1-1"}));
}

// A writer in a child process, stopped by `signal` in the middle of writing.
void StoppedWhileWriting(const String& file, int signal, bool unnamed) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    GUnnamedTemporaries = unnamed;
    TFileLock lock(file);
    TAtomicFileWriter out(file);
    out.Write(String(3 << 20, 'x'));  // past the buffer: on disk
    (void)!::write(ready[1], "r", 1);
    for (;;) ::pause();
  }
  char c;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ::kill(pid, signal);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "ended by the signal";
}

TEST(AtomicFileTest, InterruptedOrTerminatedWritersLeaveNoTemporaryAndNoLockFile) {
  TempDir dir;
  const String file = dir.File("list.txt");
  WriteFile(file, "old");
  for (bool unnamed : {false, true})
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
      SCOPED_TRACE(String(unnamed ? "unnamed, " : "named, ") + strsignal(signal));
      StoppedWhileWriting(file, signal, unnamed);
      EXPECT_EQ(ReadFile(file), "old");
      EXPECT_EQ(Entries(dir.Path()), std::vector<String>{"list.txt"});
    }
}

}  // namespace
