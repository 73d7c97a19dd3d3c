#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "platform/ansi.h"

namespace quenlo {
namespace {

TEST(IniFile, ReadsAsThePrivateProfileFunctionsDo) {
  IniFile ini = IniFile::Parse(
      "junk line\r\n"
      "[other]\r\nmch=wrong\r\n"
      "  [ settings ]  \r\n"
      "  MCH  =  C:\\m.mch  \r\n"
      "mch=second\r\n"
      "no equals here\r\n"
      "quoted=\"a b\"\r\n"
      "single='x'\r\n"
      "half=\"a\r\n"
      "eq=a=b\r\n"
      "empty=\r\n"
      "; comment=1\r\n"
      "[Settings]\r\nlater=1\r\n");
  EXPECT_EQ(ini.Get(L"Settings", L"mch"), L"C:\\m.mch");  // case, blanks, first key wins
  EXPECT_EQ(ini.Get(L"Settings", L"no equals here"), std::nullopt);
  EXPECT_EQ(ini.Get(L"Settings", L"quoted"), L"a b");
  EXPECT_EQ(ini.Get(L"Settings", L"single"), L"x");
  EXPECT_EQ(ini.Get(L"Settings", L"half"), L"\"a");
  EXPECT_EQ(ini.Get(L"Settings", L"eq"), L"a=b");
  EXPECT_EQ(ini.Get(L"Settings", L"empty"), L"");
  EXPECT_EQ(ini.Get(L"Settings", L"later"), std::nullopt);  // only the first matching section counts
  EXPECT_EQ(ini.Get(L"Missing", L"mch"), std::nullopt);
}

TEST(IniFile, WriteChangesOneLineAndKeepsEveryOther) {
  std::string before = "; kept comment\r\n[Other]\r\nk=1\r\n[Settings]\r\nmch=a\r\n\r\n[Tail]\r\nz=9\r\n";
  IniFile ini = IniFile::Parse(before);
  ini.Set(L"Settings", L"mch", L"b");
  ini.Set(L"Settings", L"exe", L"c");
  EXPECT_EQ(ini.Serialize(),
            "; kept comment\r\n[Other]\r\nk=1\r\n[Settings]\r\nmch=b\r\nexe=c\r\n\r\n[Tail]\r\nz=9\r\n");
  IniFile empty = IniFile::Parse("");
  empty.Set(L"Settings", L"a", L"1");
  empty.Set(L"Settings", L"b", L"2");
  EXPECT_EQ(empty.Serialize(), "[Settings]\r\na=1\r\nb=2\r\n");
}

TEST(IniFile, UnchangedLinesKeepTheirBytesAndLineEndsBecomeCrLf) {
  std::string odd = "[Settings]\nraw=\x82\xA0\xFF\nlast=1";  // an invalid code-page byte, no final line end
  IniFile ini = IniFile::Parse(odd);
  EXPECT_EQ(ini.Serialize(), "[Settings]\r\nraw=\x82\xA0\xFF\r\nlast=1");
  ini.Set(L"Settings", L"new", L"2");
  EXPECT_EQ(ini.Serialize(), "[Settings]\r\nraw=\x82\xA0\xFF\r\nlast=1\r\nnew=2\r\n");

  // A CR that ends the file without an LF is the last line's own byte.
  for (std::string bytes : {"[Settings]\r\nk=1\r", "\xEF\xBB\xBF[Settings]\r"}) {
    IniFile cr = IniFile::Parse(bytes);
    EXPECT_EQ(cr.Serialize(), bytes);
    EXPECT_EQ(cr.Get(L"Settings", L"k"), bytes[0] == '[' ? std::optional<std::wstring>(L"1") : std::nullopt);
  }
}

TEST(IniFile, ByteOrderMarkedFilesKeepTheirEncoding) {
  std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE8\x90\r\0\n\0", 22);  // k=部 (U+90E8)
  IniFile a = IniFile::Parse(utf16);
  EXPECT_EQ(a.Get(L"s", L"K"), std::wstring(1, static_cast<wchar_t>(0x90E8)));
  a.Set(L"S", L"k", L"x");
  EXPECT_EQ(a.Serialize(), std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0x\0\r\0\n\0", 22));

  IniFile b = IniFile::Parse("\xEF\xBB\xBF[S]\r\nk=\xE9\x83\xA8\r\n");  // 部 in UTF-8
  EXPECT_EQ(b.Get(L"S", L"k"), L"部");
  b.Set(L"S", L"n", L"部");
  EXPECT_EQ(b.Serialize(), "\xEF\xBB\xBF[S]\r\nk=\xE9\x83\xA8\r\nn=\xE9\x83\xA8\r\n");
}

// Lines the add-in does not change keep their bytes in every encoding, even
// bytes that the encoding cannot decode.
TEST(IniFile, ForeignLinesKeepTheirBytesInEveryEncoding) {
  std::string utf8 = "\xEF\xBB\xBF[Other]\r\nbad=\xFF\x82\xA0\r\n[Settings]\r\nmch=a\r\nraw=\xC3\r\n";
  IniFile a = IniFile::Parse(utf8);
  a.Set(L"Settings", L"mch", L"部");
  EXPECT_EQ(a.Serialize(), "\xEF\xBB\xBF[Other]\r\nbad=\xFF\x82\xA0\r\n[Settings]\r\nmch=\xE9\x83\xA8\r\nraw=\xC3\r\n");

  // UTF-16 with a lone surrogate and a stray last byte.
  std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0z\0=\0\x00\xD8\r\0\n\0k\0=\0""1\0\r\0\n\0\x41", 33);
  IniFile b = IniFile::Parse(utf16);
  b.Set(L"S", L"k", L"2");
  EXPECT_EQ(b.Serialize(), std::string("\xFF\xFE[\0S\0]\0\r\0\n\0z\0=\0\x00\xD8\r\0\n\0k\0=\0""2\0\r\0\n\0\x41", 33));
}

// 8-bit text behind a UTF-16 mark is the ANSI file it looks like: read as
// such and written back as one consistent ANSI file, not with a UTF-16
// section appended.
TEST(IniFile, AUtf16FileCutAfterAnOddByteStaysReadable) {
  IniFile ini = IniFile::Parse(std::string("\xFF\xFE" "B\0\0", 5));
  ini.Set(L"Settings", L"k", L"1");
  IniFile back = IniFile::Parse(ini.Serialize());
  EXPECT_EQ(back.Get(L"Settings", L"k"), std::optional<std::wstring>(L"1"));
  // A UTF-8 mark behind a UTF-16 mark on 8-bit text: what is written starts
  // with the UTF-8 mark, so it is written as UTF-8.
  IniFile marked = IniFile::Parse("\xFF\xFE\xEF\xBB\xBF[S");
  marked.Set(L"c", L"k", L"\x90E8");
  EXPECT_EQ(IniFile::Parse(marked.Serialize()).Get(L"c", L"k"), std::optional<std::wstring>(L"\x90E8"));
}

TEST(IniFile, AUtf16MarkOnEightBitTextIsDropped) {
  platform::SetAnsiCodePage(932);
  IniFile ini = IniFile::Parse("\xFF\xFE[Settings]\r\nmch=\x95\x94\r\n; \xFF note\r\n");
  EXPECT_EQ(ini.Get(L"Settings", L"mch"), L"部");
  ini.Set(L"Settings", L"exe", L"機");
  EXPECT_EQ(ini.Serialize(), "[Settings]\r\nmch=\x95\x94\r\n; \xFF note\r\nexe=\x8B\x40\r\n");
}

TEST(IniFile, ALineBreakInAValueIsABlank) {
  IniFile ini = IniFile::Parse("[Settings]\r\n");
  ini.Set(L"Settings", L"mch", L"a\r\nexe=evil\nb");
  EXPECT_EQ(ini.Serialize(), "[Settings]\r\nmch=a  exe=evil b\r\n");
  EXPECT_EQ(IniFile::Parse(ini.Serialize()).Get(L"Settings", L"exe"), std::nullopt);
}

}  // namespace
}  // namespace quenlo

namespace quenlo {
namespace {

// Many writes into one object answer every read as the same text parsed
// afresh does: the object's quick look-ups follow the lines it writes.
TEST(IniFile, ReadsAfterManyWritesMatchAFreshParse) {
  IniFile ini = IniFile::Parse("[Settings]\r\n\r\nMCH = a\r\nmch=second\r\nk\r\n\r\n\r\n[Tail]\r\nz=1\r\n");
  const std::wstring keys[] = {L"mch", L"exe", L" k ", L"K", L"new", L"a=b", L"", L"[inner", L"z", L"later"};
  for (int round = 0; round < 3; ++round) {
    for (const std::wstring& key : keys) ini.Set(L"settings", key, L"v" + std::to_wstring(round));
    ini.Set(L"Tail", L"z", L"t" + std::to_wstring(round));
    ini.Set(L"Third", L"later", L"x");
    IniFile fresh = IniFile::Parse(ini.Serialize());
    for (const std::wstring& key : keys)
      for (const wchar_t* section : {L"Settings", L"Tail", L"Third", L"inner"})
        EXPECT_EQ(ini.Get(section, key), fresh.Get(section, key)) << round << " " << section << " [" << key.size();
  }
  EXPECT_EQ(ini.Get(L"Settings", L"mch"), L"v2");
  EXPECT_EQ(ini.Get(L"Settings", L"k"), L"v2");  // the line without a value took it
}

}  // namespace
}  // namespace quenlo
