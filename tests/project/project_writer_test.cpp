// The project writer against the stand-in host: replacement rules per key,
// bad templates, bad values and the failures the user must see.
#include <cmath>
#include <limits>

#include "common/numbers.h"
#include "common/utf16.h"

#include "export/project/rule_sets.h"
#include "project/project_fixture.h"

namespace quenlo {
namespace {

constexpr char kBoxStock[] = R"({"shape":"box","size":[100,50,20],"origin":[0,0,0],"origin_code":0})";

std::string Zeros8() { return " 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000"; }

std::string Lines(std::initializer_list<const char*> lines) {
  std::string out = ";head\r\n";
  for (const char* line : lines) out += std::string(line) + "\r\n";
  return out;
}

TEST(BoxPosition, FollowsTheOriginCodeTable) {
  StockSetup s;
  s.size_x = 100, s.size_y = 50, s.size_z = 20;
  s.origin_code = 0;
  EXPECT_EQ(BoxPosition(s), (std::array<double, 3>{-50, -25, -20}));
  s.origin[0] = 10, s.origin[1] = 5, s.origin[2] = 0;
  const std::array<double, 3> expected[9] = {{-40, -20, -20}, {-110, -45, -20}, {-90, -45, -20},
                                              {-90, -55, -20},  {-110, -55, -20}, {-110, -45, 0},
                                              {-90, -45, 0},    {-90, -55, 0},    {-110, -55, 0}};
  for (short code = 0; code <= 8; ++code) {
    s.origin_code = code;
    EXPECT_EQ(BoxPosition(s), expected[code]) << "origin code " << code;
  }
  for (short code : {-1, 9, 12}) {
    s.origin_code = code;
    EXPECT_FALSE(BoxPosition(s)) << "origin code " << code;
  }
}

using ProjectKeys = ProjectTest;

TEST_F(ProjectKeys, BoxAndBarLinesCarryTheirSizes) {
  std::string tpl = Lines({".wrkjig.param x", ".wrkjig.pos x", ".setting.work_width", ".setting.work_dia"});
  Install(R"({"shape":"box","size":[100,50,20],"origin":[10,5,0],"origin_code":2})", tpl);
  s_.prj = dir_ / L"a.prjx";
  std::string box = Write();
  EXPECT_EQ(LineAfter(box, ".wrkjig.param"),
            ".wrkjig.param 100.000000 50.000000 0.0000 0.0000 20.000000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 "
            "0.0000 0.0000");
  EXPECT_EQ(LineAfter(box, ".wrkjig.pos"), ".wrkjig.pos -90.000000 -45.000000 -20.000000");
  EXPECT_EQ(LineAfter(box, ".setting.work_width"), ".setting.work_width 100.000000 ");
  EXPECT_EQ(LineAfter(box, ".setting.work_dia"), ".setting.work_dia");  // a bar's key, left alone

  Install(R"({"shape":"bar","size":[40,120,0],"origin":[1,2,3]})", tpl);
  std::string bar = Write();
  EXPECT_EQ(LineAfter(bar, ".wrkjig.param"),
            ".wrkjig.param 0.0000 40.000000 0.0000 0.0000 0.0000 120.000000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000");
  EXPECT_EQ(LineAfter(bar, ".wrkjig.pos"), ".wrkjig.pos 1.000000 2.000000 3.000000");
  EXPECT_EQ(LineAfter(bar, ".setting.work_width"), ".setting.work_width");
  EXPECT_EQ(LineAfter(bar, ".setting.work_dia"), ".setting.work_dia 40.000000 ");
}

TEST_F(ProjectKeys, OriginsAndWorkOffsetsGoUnderTheirKeys) {
  Install(kBoxStock, Lines({".setting.part0p.x 9", ".setting.part0p.y 9", ".setting.WORK5SYS[0] 2 G54 ; comment",
                            "; the line after a header is replaced whatever it holds",
                            ".setting.WORK5SYS[0] 308 G54.2P01", "a", "b", "tail"}));
  s_.prj = dir_ / L"a.prjx";
  s_.part_x = 12.5;
  WcsTable[1] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  WcsTable[307] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::string out = Write();
  EXPECT_EQ(out, Lines({".setting.part0p.x 12.5 ", ".setting.part0p.y 0 ", ".setting.WORK5SYS[0] 2 G54 ; comment",
                        ".W5SV 1 2 3 4 5 6 7 8 9 ", ".setting.WORK5SYS[0] 308 G54.2P01",
                        ".W5SV 0.0000 0.0000 0.0000 4 5 6 7 8 9 ",
                        ".W5SF 1 1 2 3 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 ", "tail"}));
}

TEST_F(ProjectKeys, OddShapeAndOriginCodeLeaveTheStockLines) {
  std::string tpl = Lines({".setting.workform X", ".WUD0.work X", ".wrkjig.pos X", ".wrkjig.path X",
                           ".setting.StockDef 0", "n", "p"});
  Install(R"({"shape":7,"size":[1,2,3]})", tpl);
  s_.prj = dir_ / L"a.prjx";
  EXPECT_EQ(Write(), Lines({".setting.workform X", ".WUD0.work X", ".wrkjig.pos X", ".wrkjig.path X",
                            ".setting.StockDef 0", "n",
                            ".CWJDEF-P 1 2 3 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 "
                            "0.0000 0.0000 0.0000 "}));
  Install(R"({"shape":"box","size":[1,2,3],"origin_code":12})", tpl);
  std::string box = Write();
  EXPECT_EQ(LineAfter(box, ".wrkjig.pos"), ".wrkjig.pos X");
  EXPECT_EQ(LineAfter(box, ".WUD0.work"), ".WUD0.work 0 8451 WORK1 0");
  EXPECT_FALSE(testing_support::FileExists(s_.nc_file + L".stl"));
}

TEST_F(ProjectKeys, HugeValuesAreWrittenWholeAndNonFiniteOnesAsZero) {
  Install(R"({"shape":"box","size":[1e300,-1e-300,3]})", Lines({".wrkjig.param", ".setting.WORK5SYS[0] 1 ", "x"}));
  s_.prj = dir_ / L"a.prjx";
  WcsTable[0] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e308,
                 -1e-320, 0, 0, 0, 0, 0};
  std::string out = Write();
  std::string param = LineAfter(out, ".wrkjig.param");
  std::string huge = FormatF(1e300);
  EXPECT_EQ(huge.size(), 301u + 7u);  // every digit, nothing cut
  EXPECT_EQ(param, ".wrkjig.param " + huge + " -0.000000 0.0000 0.0000 3.000000" + Zeros8());
  EXPECT_EQ(LineAfter(out, ".W5SV"), ".W5SV 0 0 1e+308 -9.99989e-321 0 0 0 0 0 ");  // never inf or nan
}

TEST_F(ProjectKeys, SolidStockWritesItsStlEachTimeThePathKeyIsMet) {
  const char* stock = R"({"shape":"solid","solid":{"cylinder":{"base":[0,0,0],"radius":10,"height":5}}})";
  Install(stock, Lines({".wrkjig.fineness 1"}));
  s_.nc_file = dir_ / L"部品.NC";
  s_.prj = dir_ / L"a.prjx";
  Write();
  EXPECT_FALSE(testing_support::FileExists(s_.nc_file + L".stl"));

  Install(stock, Lines({".wrkjig.path x", ".wrkjig.path y"}));
  std::string out = Write();
  std::string line = ".wrkjig.path \"" + platform::ToAnsi(s_.nc_file) + ".stl\" ";
  EXPECT_EQ(out, Lines({line.c_str(), line.c_str()}));
  std::string stl = testing_support::ReadBytes(s_.nc_file + L".stl");
  ASSERT_GE(stl.size(), 84u);
  EXPECT_EQ(stl.size(), 84 + 50 * static_cast<size_t>(static_cast<unsigned char>(stl[80]) |
                                                      static_cast<unsigned char>(stl[81]) << 8));
  EXPECT_TRUE(testing_support::Messages().empty());
}

// A line break in a path would put lines of its own into the project.
TEST_F(ProjectKeys, ALineBreakInAPathIsWrittenAsABlank) {
  Install(R"({"shape":"file","file":"C:\\w\r\n.wrkjig.col 1"})", Lines({".ncdfile x", ".wrkjig.path", ".setting.part0p.x"}));
  s_.prj = dir_ / L"a.prjx";
  s_.nc_file = L"D:\\a\r\n.setting.part0p.x 999.NC";
  s_.part_x = 1;
  EXPECT_EQ(Write(), Lines({".ncdfile   \"D:\\a  .setting.part0p.x 999.NC\"", ".wrkjig.path \"C:\\w  .wrkjig.col 1\" ",
                            ".setting.part0p.x 1 "}));
}

using ProjectFailures = ProjectTest;

TEST_F(ProjectFailures, MissingTemplateIsShownAndLeavesTheOldProject) {
  Install(kBoxStock, "");
  s_.prj = dir_ / L"a.prjx";
  testing_support::WriteBytes(s_.prj, "old project");
  WriteProjectFile(s_);
  EXPECT_EQ(testing_support::ReadBytes(s_.prj), "old project");
  std::wstring tpl = dir_ / L"addins" + platform::kPathSeparator + L"default_template.prj";
  EXPECT_EQ(testing_support::Messages(),
            std::vector<std::string>{"message: プロジェクトのテンプレートファイルを読み込めませんでした。\n" +
                                     platform::ToUtf8(tpl)});
}

// A template in which the rewrite meets none of its keys cannot be a project
// template: the launch is refused with the template named, the old project
// file stays.
TEST_F(ProjectFailures, TemplatesWithoutAnyKeyAreRefused) {
  const std::string templates[] = {
      "", "; 部品\n .ncdfile x\n.NCDFILE x\n.ncdfileX\n.setting.WORK5SYS[0] 316 \n" + std::string(9000, 'z'),
      "\xFF\xFE" + EncodeUtf16(L".ncdfile  \"a\"\r\n.tolfiles1  \"b\"\r\n"), std::string("\x7F" "ELF\x02\x01\x00\x00", 8)};
  for (const std::string& bytes : templates) {
    write_empty_template_ = true;
    Install(kBoxStock, bytes);
    s_.prj = dir_ / L"a.prjx";
    testing_support::WriteBytes(s_.prj, "old project");
    EXPECT_EQ(Write(), "old project");
    auto messages = testing_support::Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("message: プロジェクトのテンプレートファイルに、プロジェクトファイルの項目が一つもありません", 0), 0u);
    EXPECT_NE(messages[0].find("default_template.prj"), std::string::npos);
  }
}

TEST_F(ProjectFailures, BlockKeysOnTheLastLines) {
  Install(kBoxStock, Lines({"x", ".setting.StockDef 0"}) + "kept");
  s_.prj = dir_ / L"a.prjx";
  std::string def = ".CWJDEF-P 100 50 20" + Zeros8() + " 0.0000 0.0000 0.0000 0.0000 0.0000 ";
  EXPECT_EQ(Write(), Lines({"x", ".setting.StockDef 0", "kept", def.c_str()}));
  Install(kBoxStock, Lines({"x"}) + ".setting.WORK5SYS[0] 1 ");
  EXPECT_EQ(Write(), Lines({"x", ".setting.WORK5SYS[0] 1 ", ".W5SV 0 0 0 0 0 0 0 0 0 "}));
  Install(kBoxStock, Lines({"x"}) + ".setting.WORK5SYS[0] 315 ");
  EXPECT_EQ(Write(), Lines({"x", ".setting.WORK5SYS[0] 315 ", ".W5SV 0.0000 0.0000 0.0000 0 0 0 0 0 0 ",
                            ".W5SF 1 0 0 0 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 "}));
}

// A project file that cannot be written stops the writer before anything is
// written: no STL file appears (or is overwritten) beside the NC file.
TEST_F(ProjectFailures, AnUnwritableProjectStopsBeforeTheStl) {
  const char* stock = R"({"shape":"solid","solid":{"box":{"min":[0,0,0],"max":[1,2,3]}}})";
  const std::wstring sep(1, platform::kPathSeparator);
  s_.nc_file = dir_ / L"p.NC";
  const std::wstring stl = s_.nc_file + L".stl";
  platform::MakeDirectory(dir_ / L"ro");
  const std::wstring read_only = dir_ / L"ro" + sep + L"p.prjx";
  testing_support::WriteBytes(read_only, "old project");
  ASSERT_TRUE(testing_support::MakeReadOnly(read_only));
  for (const std::wstring& prj : {dir_ / L"no folder" + sep + L"p.prjx", read_only, dir_.path()}) {
    Install(stock, Lines({".wrkjig.path", ".wrkjig.path"}));
    s_.prj = prj;
    std::wstring failure;
    EXPECT_FALSE(WriteProjectFile(s_, failure));
    EXPECT_EQ(failure, L"プロジェクトファイルを書き込めませんでした。\n" + prj);
    EXPECT_TRUE(testing_support::Messages().empty());  // the caller shows it
    EXPECT_FALSE(testing_support::FileExists(stl));
  }
  EXPECT_EQ(testing_support::ReadBytes(read_only), "old project");

  // An STL file that was there is not touched either.
  testing_support::WriteBytes(stl, "old stl");
  s_.prj = dir_ / L"no folder" + sep + L"p.prjx";
  WriteProjectFile(s_);
  EXPECT_EQ(testing_support::ReadBytes(stl), "old stl");
  EXPECT_EQ(testing_support::Messages(),
            std::vector<std::string>{"message: プロジェクトファイルを書き込めませんでした。\n" + platform::ToUtf8(s_.prj)});
}

TEST_F(ProjectFailures, AnStlThatCannotBeWrittenIsNamedAndTheProjectIsWritten) {
  // A solid the host cannot triangulate: the path line is written all the same.
  Install(R"({"shape":"solid","solid":{"stl":"missing.stl"}})", Lines({".wrkjig.path"}));
  s_.nc_file = dir_ / L"p.NC";
  s_.prj = dir_ / L"p.prjx";
  std::wstring failure;
  EXPECT_FALSE(WriteProjectFile(s_, failure));
  EXPECT_EQ(failure, L"ワークのSTLファイルを書き込めませんでした。\n" + s_.nc_file + L".stl");
  EXPECT_EQ(testing_support::ReadBytes(s_.prj), Lines({(".wrkjig.path \"" + platform::ToAnsi(s_.nc_file) + ".stl\" ").c_str()}));
  EXPECT_FALSE(testing_support::FileExists(s_.nc_file + L".stl"));

  // The NC file's folder is missing: the STL's message, and the project's too
  // when its folder is missing by then.
  Install(R"({"shape":"solid","solid":{"box":{"min":[0,0,0],"max":[1,2,3]}}})", Lines({".wrkjig.path"}));
  s_.nc_file = dir_ / L"gone" + platform::kPathSeparator + L"p.NC";
  EXPECT_FALSE(WriteProjectFile(s_, failure));
  EXPECT_EQ(failure, L"ワークのSTLファイルを書き込めませんでした。\n" + s_.nc_file + L".stl");
}

// Two path keys, and the host fails one of the two STL writes: one message,
// both path lines. A failed last write leaves no STL; a later good one does.
TEST_F(ProjectFailures, OneOfTwoStlWritesFails) {
  for (int failing : {1, 2}) {
    Install(R"({"shape":"solid","solid":{"box":{"min":[0,0,0],"max":[1,2,3]},"failing_write":)" +
                std::to_string(failing) + "}}",
            Lines({".wrkjig.path", "x", ".wrkjig.path"}));
    s_.nc_file = dir_ / L"p.NC";
    s_.prj = dir_ / L"p.prjx";
    std::string line = ".wrkjig.path \"" + platform::ToAnsi(s_.nc_file) + ".stl\" ";
    EXPECT_EQ(Write(), Lines({line.c_str(), "x", line.c_str()})) << failing;
    EXPECT_EQ(testing_support::Messages(),
              std::vector<std::string>{"message: ワークのSTLファイルを書き込めませんでした。\n" +
                                       platform::ToUtf8(s_.nc_file + L".stl")})
        << failing;
    EXPECT_EQ(testing_support::FileExists(s_.nc_file + L".stl"), failing == 1) << failing;
    platform::RemoveFile(s_.nc_file + L".stl");
  }
}

}  // namespace
}  // namespace quenlo
