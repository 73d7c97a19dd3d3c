// The file layer under the add-in's writers and readers: a file is replaced
// whole through a short temporary name beside it, a read-only file is
// neither replaced nor deleted, temporary files of killed runs are cleared
// away, and readers take nothing but regular files.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/ansi.h"
#include "platform/files.h"
#include "platform/temp_names.h"
#include "support/test_host.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quenlo::platform {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::vector<std::wstring> Entries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder)))
    names.push_back(entry.path().filename().wstring());
  return names;
}

TEST(FileReplacement, TheTemporaryFileIsShortAndBesideTheTarget) {
  TempDir dir;
  const std::wstring target = dir / L"tool.tol";
  WriteBytes(target, "old");
  {
    FileReplacement replacement(target);
    ASSERT_TRUE(replacement.ready());
    std::vector<std::wstring> names = Entries(dir.path());
    ASSERT_EQ(names.size(), 2u);
    std::wstring temp = names[0] == L"tool.tol" ? names[1] : names[0];
    unsigned long id = 0;
    EXPECT_TRUE(IsTempFileName(temp, id)) << ToUtf8(temp);
    EXPECT_LE(temp.size(), 32u);
    EXPECT_EQ(ReadBytes(target), "old");  // nothing replaced before the commit
  }
  EXPECT_EQ(Entries(dir.path()), std::vector<std::wstring>{L"tool.tol"});  // not committed: the temp goes
  EXPECT_EQ(ReadBytes(target), "old");

  // A name as long as the file system allows is replaced like any other.
  const std::wstring longest = dir / (std::wstring(250, L'n') + L".tol");
  WriteBytes(longest, "old");
  ASSERT_EQ(ReadBytes(longest), "old");
  EXPECT_TRUE(ReplaceFileContents(longest, "new"));
  EXPECT_EQ(ReadBytes(longest), "new");
  EXPECT_EQ(Entries(dir.path()).size(), 2u);
}

TEST(FileReplacement, AReadOnlyFileIsNeitherReplacedNorDeleted) {
  TempDir dir;
  const std::wstring target = dir / L"p.prjx";
  WriteBytes(target, "old");
  ASSERT_TRUE(testing_support::MakeReadOnly(target));
  FileReplacement replacement(target);
  EXPECT_FALSE(replacement.ready());
  EXPECT_FALSE(replacement.Commit("new"));
  EXPECT_FALSE(ReplaceFileContents(target, "new"));
  EXPECT_FALSE(RemoveFile(target));
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(Entries(dir.path()).size(), 1u);
  // A folder is not a file to replace either.
  EXPECT_FALSE(ReplaceFileContents(dir / L"", "x"));
  EXPECT_FALSE(FileReplacement(dir / L"missing" + kPathSeparator + L"f").ready());
}

TEST(FileReplacement, TemporaryFilesOfKilledRunsAreRemovedAndDisturbNothing) {
  TempDir dir;
  // A run that no longer exists left one behind; a live writer (this process)
  // has one in the making.
  const std::wstring stale = dir / TempFileName(99999999ul, 1);
  WriteBytes(stale, "half a file");
  FileReplacement live(dir / L"other.ini");
  ASSERT_TRUE(live.ready());
  EXPECT_TRUE(ReplaceFileContents(dir / L"t.tol", "new"));
  EXPECT_EQ(ReadBytes(dir / L"t.tol"), "new");
  EXPECT_FALSE(testing_support::FileExists(stale));
  EXPECT_TRUE(live.Commit("live"));
  EXPECT_EQ(ReadBytes(dir / L"other.ini"), "live");
  EXPECT_EQ(Entries(dir.path()).size(), 2u);
}

// A page replaced without a sync (the setup sheet) keeps the old bytes under a
// temporary name through the rename; they are removed after the launch, on a
// thread, and only the new file stays.
TEST(FileReplacement, AnUnsyncedReplacementLeavesOnlyTheNewFile) {
  TempDir dir;
  const std::wstring target = dir / L"part.setup.html";
  WriteBytes(target, "old page");
  {
    ReplacementBatch launch;
    EXPECT_TRUE(ReplaceFileContents(target, "new page", false));
    EXPECT_EQ(ReadBytes(target), "new page");
    std::vector<std::wstring> names = Entries(dir.path());
    ASSERT_EQ(names.size(), 2u);
    const std::wstring kept = names[0] == L"part.setup.html" ? names[1] : names[0];
    EXPECT_EQ(ReadBytes(dir / kept), "old page");
    EXPECT_TRUE(ReplaceFileContents(target, "newer page", false));
  }
  for (int wait = 0; wait < 300 && Entries(dir.path()).size() > 1; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(Entries(dir.path()), std::vector<std::wstring>{L"part.setup.html"});
  EXPECT_EQ(ReadBytes(target), "newer page");
}

// Another writer of the same process (the host's own) may hold a temporary
// name this writer would pick: it is passed over, never opened or truncated.
TEST(FileReplacement, TemporaryNamesInUseArePassedOver) {
  TempDir dir;
#ifdef _WIN32
  const unsigned long self = GetCurrentProcessId();
#else
  const unsigned long self = static_cast<unsigned long>(getpid());
#endif
  for (unsigned long n = 1; n <= 300; ++n) WriteBytes(dir / TempFileName(self, n), "another writer's");
  EXPECT_TRUE(ReplaceFileContents(dir / L"t.tol", "new"));
  EXPECT_EQ(ReadBytes(dir / L"t.tol"), "new");
  for (unsigned long n = 1; n <= 300; ++n) ASSERT_EQ(ReadBytes(dir / TempFileName(self, n)), "another writer's");
}

// One file as the file system sees it, however the paths are spelt.
TEST(SameFile, TheFileSystemDecides) {
  TempDir dir;
  std::filesystem::create_directories(std::filesystem::path(dir / L"sub"));
  WriteBytes(dir / L"a.nc", "G0");
  WriteBytes(dir / L"b.nc", "G0");
  const std::wstring sep(1, kPathSeparator);
  const struct {
    std::wstring a, b;
    bool same;
  } cases[] = {
      {dir / L"a.nc", dir / L"a.nc", true},
      {dir / L"a.nc", dir / (L"sub" + sep + L".." + sep + L"." + sep + L"a.nc"), true},
      {dir / L"a.nc", dir / L"b.nc", false},          // same bytes, another file
      {dir / L"a.nc", dir / L"new.nc", false},        // one there, one not
      {dir / L"new.nc", dir / (L"sub" + sep + L".." + sep + L"new.nc"), true},  // neither there yet
      {dir / L"new.nc", dir / L"new2.nc", false},
      {dir / L"a.nc", L"", false},
#ifdef _WIN32
      {dir / L"a.nc", dir / L"A.NC", true},
      {dir / L"new.nc", dir / L"NEW.nc", true},
#else
      {dir / L"new.nc", dir / L"NEW.nc", false},
#endif
  };
  for (const auto& c : cases) EXPECT_EQ(SameFile(c.a, c.b), c.same) << ToUtf8(c.a) << " ~ " << ToUtf8(c.b);
#ifndef _WIN32
  ASSERT_EQ(::symlink(ToUtf8(dir / L"a.nc").c_str(), ToUtf8(dir / L"link.nc").c_str()), 0);
  EXPECT_TRUE(SameFile(dir / L"a.nc", dir / L"link.nc"));
#endif
}

#ifdef _WIN32
// Another program holding the target open without letting it be replaced
// (a virus scanner, another host reading the store) for a moment delays the
// replacement; holding it for good fails it, with the target as it was and
// no temporary file left.
TEST(FileReplacement, ATargetHeldOpenForAMomentIsReplacedAfterIt) {
  TempDir dir;
  const std::wstring target = dir / L"store.ini";
  WriteBytes(target, "old");
  auto hold = [&] {
    return CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  };
  HANDLE held = hold();
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(200);
    CloseHandle(held);
  });
  EXPECT_TRUE(ReplaceFileContents(target, "new"));
  release.join();
  EXPECT_EQ(ReadBytes(target), "new");

  held = hold();
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ReplaceFileContents(target, "newer"));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::wstring>{L"store.ini"});
}
#endif

TEST(TempNames, OnlyTheWritersOwnNamesAreTaken) {
  unsigned long id = 0;
  EXPECT_TRUE(IsTempFileName(L"~quenlo-1234-5.tmp", id));
  EXPECT_EQ(id, 1234u);
  for (const wchar_t* other : {L"~quenlo-1234.tmp", L"~quenlo--5.tmp", L"~quenlo-1-5.tmpx", L"x~quenlo-1-5.tmp",
                               L"~quenlo-1-.tmp", L"~quenlo-1-5.TMP", L"t.tol"})
    EXPECT_FALSE(IsTempFileName(other, id)) << ToUtf8(other);
  EXPECT_EQ(TempFileName(42, 7), L"~quenlo-42-7.tmp");
}

TEST(ReadFileEnd, TheLastBytesOrTheWholeOfAShorterFile) {
  TempDir dir;
  const std::wstring file = dir / L"page.html";
  WriteBytes(file, "head and end");
  std::string bytes = "kept";
  for (const auto& [count, end] : {std::pair<size_t, std::string>{3, "end"}, {12, "head and end"}, {99, "head and end"}}) {
    EXPECT_TRUE(ReadFileEnd(file, count, bytes));
    EXPECT_EQ(bytes, end);
  }
  EXPECT_FALSE(ReadFileEnd(dir / L"missing", 3, bytes));
  EXPECT_EQ(bytes, "head and end");
}

#ifndef _WIN32
TEST(ReadWholeFile, NothingButARegularFileIsRead) {
  TempDir dir;
  const std::wstring fifo = dir / L"fifo";
  ASSERT_EQ(::mkfifo(ToUtf8(fifo).c_str(), 0666), 0);
  const std::wstring zero = dir / L"zero";
  ASSERT_EQ(::symlink("/dev/zero", ToUtf8(zero).c_str()), 0);
  std::string bytes = "kept";
  for (const std::wstring& path : {fifo, zero, dir / L"", dir / L"missing"}) {
    EXPECT_FALSE(ReadWholeFile(path, bytes)) << ToUtf8(path);
    EXPECT_EQ(bytes, "kept");
  }
  const std::wstring link = dir / L"link";
  WriteBytes(dir / L"file", "data");
  ASSERT_EQ(::symlink(ToUtf8(dir / L"file").c_str(), ToUtf8(link).c_str()), 0);
  EXPECT_TRUE(ReadWholeFile(link, bytes));  // a link to a regular file is that file
  EXPECT_EQ(bytes, "data");
}
#endif

}  // namespace
}  // namespace quenlo::platform
