#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "host/classes/Streams.h"
#include "host/classes/TextLines.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::vector<String> FolderEntries(const fs::path& dir) {
  std::vector<String> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Resets the hook however the test ends.
struct HookGuard {
  explicit HookGuard(void (*hook)(const String&)) { GBeforeAtomicRename = hook; }
  ~HookGuard() { GBeforeAtomicRename = nullptr; }
};

String gSeenTemp;
String gSeenContent;

TEST(StreamsTest, AtomicWriteReplacesTheFileOnlyWhenComplete) {
  testsupport::TempDir dir;
  const String file = dir.File("list.txt");
  testsupport::WriteFile(file, "old content\r\n");

  {
    // The temporary file is complete and beside the target before the rename.
    HookGuard hook([](const String& temp) {
      gSeenTemp = temp;
      gSeenContent = testsupport::ReadFile(temp);
    });
    WriteFileAtomically(file, "new content\r\n");
  }
  EXPECT_EQ(fs::path(gSeenTemp).parent_path(), dir.Path());
  EXPECT_EQ(gSeenContent, "new content\r\n");
  EXPECT_EQ(testsupport::ReadFile(file), "new content\r\n");

  {
    // A write that fails at the last moment leaves the old file whole and no
    // temporary file behind.
    HookGuard hook([](const String&) { throw EWriteError("disk full"); });
    TStringList list;
    list.Add("replacement");
    EXPECT_THROW(list.SaveToFile(file), EWriteError);
  }
  EXPECT_EQ(testsupport::ReadFile(file), "new content\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<String>{"list.txt"});
}

TEST(StreamsTest, AtomicWriteFailuresNameTheFileAndKeepTheOldOne) {
  testsupport::TempDir dir;
  auto messageOf = [](const String& name) -> String {
    try {
      WriteFileAtomically(name, "data");
    } catch (const EFCreateError& e) {
      return e.Message();
    }
    return "<no error>";
  };
  const String missingFolder = dir.File("no/such/folder.txt");
  EXPECT_NE(messageOf(missingFolder).find(missingFolder), String::npos);
  fs::create_directory(dir.Path() / "sub");
  EXPECT_NE(messageOf(dir.File("sub")).find("sub"), String::npos) << "a folder is no target";
  EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
  EXPECT_EQ(messageOf(""), "Cannot create file \"\". No file name given");
}

// Runs in a child process that drops superuser rights when it has them, so
// that the permissions are enforced whoever runs the tests.
int ReadOnlyTargetsKeepTheirContent(const testsupport::TempDir& dir) {
  if (::getuid() == 0 && ::setuid(65534) != 0) return 10;
  auto failsNamingFile = [](const String& name) {
    try {
      WriteFileAtomically(name, "data");
    } catch (const EFCreateError& e) {
      return e.Message().find(name) != String::npos;
    }
    return false;
  };
  const String inReadOnlyFolder = dir.File("ro/kept.txt");
  if (!failsNamingFile(inReadOnlyFolder)) return 1;
  if (testsupport::ReadFile(inReadOnlyFolder) != "kept") return 2;
  if (FolderEntries(dir.Path() / "ro") != std::vector<String>{"kept.txt"}) return 3;
  const String readOnlyFile = dir.File("rw/locked.txt");
  if (!failsNamingFile(readOnlyFile)) return 4;
  if (testsupport::ReadFile(readOnlyFile) != "locked") return 5;
  return 0;
}

TEST(StreamsTest, ReadOnlyFoldersAndFilesAreNotReplaced) {
  testsupport::TempDir dir;
  fs::permissions(dir.Path(), fs::perms::all);
  fs::create_directory(dir.Path() / "ro");
  fs::create_directory(dir.Path() / "rw");
  testsupport::WriteFile(dir.File("ro/kept.txt"), "kept");
  testsupport::WriteFile(dir.File("rw/locked.txt"), "locked");
  fs::permissions(dir.File("ro/kept.txt"), fs::perms::all & ~fs::perms::owner_exec &
                                               ~fs::perms::group_exec & ~fs::perms::others_exec);
  fs::permissions(dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec |
                                         fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(dir.Path() / "rw", fs::perms::all);
  fs::permissions(dir.File("rw/locked.txt"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EXIT(std::exit(ReadOnlyTargetsKeepTheirContent(dir)), testing::ExitedWithCode(0), "");
  fs::permissions(dir.Path() / "ro", fs::perms::owner_all);
}

TEST(StreamsTest, AtomicWriteKeepsPermissionsAndFollowsLinks) {
  testsupport::TempDir dir;
  const String file = dir.File("target.txt");
  testsupport::WriteFile(file, "one");
  ::chmod(file.c_str(), 0640);
  WriteFileAtomically(file, "two");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  const String link = dir.File("link.txt");
  fs::create_symlink(file, link);
  WriteFileAtomically(link, "three");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(testsupport::ReadFile(file), "three");
}

TEST(StreamsTest, FileStreamReadsToTheEndAndReportsOpenErrors) {
  testsupport::TempDir dir;
  const String file = dir.File("bytes.bin");
  testsupport::WriteFile(file, String("ab\0", 3));
  TFileStream stream(file, fmOpenRead);
  EXPECT_EQ(stream.Size(), 3);
  char c = 'x';
  String read;
  while (stream.Read(&c, 1) == 1) read += c;
  EXPECT_EQ(read, String("ab\0", 3));
  EXPECT_EQ(stream.Read(&c, 1), 0);
  EXPECT_EQ(stream.Read(&c, 1), 0) << "still 0 after the end";
  EXPECT_THROW(stream.ReadBuffer(&c, 1), EReadError);

  EXPECT_THROW(TFileStream(dir.File("missing"), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir.Path().string(), fmOpenRead), EFOpenError);
  try {
    ReadFileToString(dir.File("missing"));
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(dir.File("missing")), String::npos);
  }
}

TEST(StreamsTest, FilesOverTheInputSizeLimitAreRefusedBeforeTheyAreRead) {
  EXPECT_EQ(ParseInputSize("256M"), DefaultMaxInputSize);
  EXPECT_EQ(ParseInputSize(" 1k "), 1024);
  EXPECT_EQ(ParseInputSize("3G"), Int64(3) << 30);
  EXPECT_EQ(ParseInputSize("0"), 0);
  for (const char* bad : {"", "-1", "1.5M", "12T", "M", "99999999999999999999"})
    EXPECT_THROW(ParseInputSize(bad), EConvertError) << bad;

  testsupport::TempDir dir;
  const String file = dir.File("big.txt");
  testsupport::WriteFile(file, String(2048, 'x'));
  struct TLimit {
    explicit TLimit(Int64 bytes) { SetMaxInputSize(bytes); }
    ~TLimit() { SetMaxInputSize(-1); }
  } limit(1024);
  try {
    ReadFileToString(file);
    ADD_FAILURE() << "read";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot read file \"" + file +
                               "\": its size (2048 bytes) is over the input size limit of 1 KiB "
                               "(GLS_MAX_INPUT_SIZE sets another)");
  }
  EXPECT_THROW(TMappedFile{file}, EFOpenError);
  EXPECT_THROW(CheckInputSize(file), EFOpenError);
  // A pipe has no size to check first: it is cut off at the limit.
  EXPECT_THROW(ReadFileToString("/dev/zero"), EFOpenError);
  SetMaxInputSize(0);
  EXPECT_EQ(ReadFileToString(file).size(), 2048u) << "0: no limit";
  SetMaxInputSize(2048);
  EXPECT_EQ(TMappedFile(file).Text().size(), 2048u) << "the limit itself is allowed";
}

TEST(StreamsTest, MemoryStreamReadsWritesAndSeeks) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  m.SetPosition(1);
  m.WriteBuffer("EL", 2);
  EXPECT_EQ(m.DataString(), "hELlo");
  m.Seek(-2, soEnd);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2);
  EXPECT_EQ(String(buf, 2), "lo");
  EXPECT_EQ(m.Read(buf, 1), 0);
  m.Seek(10, soBeginning);
  EXPECT_EQ(m.Read(buf, 1), 0);
  m.WriteBuffer("!", 1);
  EXPECT_EQ(m.Size(), 11);
}

}  // namespace
