// The NC program as the check reads it: a corpus of small programs, each with
// what must be read and what must not.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "nc_check/nc_findings.h"
#include "nc_check/nc_bytes.h"
#include "nc_check/nc_reader.h"
#include "support/test_host.h"

namespace quenlo::nc_check {
namespace {

bool Same(const std::vector<NcUse>& a, const std::vector<NcUse>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const NcUse& x, const NcUse& y) {
    return x.word == y.word && x.number == y.number && x.line == y.line;
  });
}

// The program read from a file in pieces of a few bytes (each cut after a
// line end, a line longer than the piece read whole) is read as in memory.
void ExpectSameFromFile(const std::string& program, bool read_tools) {
  static testing_support::TempDir dir;
  const std::wstring path = dir / L"prog.nc";
  testing_support::WriteBytes(path, program);
  const NcReading whole = ReadNcProgram(program, read_tools);
  for (size_t piece : {size_t{1}, size_t{3}, size_t{64}, kNcPiece}) {
    const std::optional<NcReading> read = ReadNcFile(path, read_tools, piece);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(Same(read->uses, whole.uses) && Same(read->set_uses, whole.set_uses) && read->readable == whole.readable)
        << "piece " << piece << " of " << program;
  }
}

// The uses as "word@line", blank-separated, in the order the reader gives them.
std::string Uses(const std::string& program, bool read_tools = true) {
  ExpectSameFromFile(program, read_tools);
  std::string out;
  for (const NcUse& use : ReadNcProgram(program, read_tools).uses) {
    std::wstring name = WordName(use);
    if (!out.empty()) out += ' ';
    out += std::string(name.begin(), name.end()) + "@" + std::to_string(use.line);
  }
  return out;
}

TEST(NcReader, ToolsOffsetsAndWorkOffsetsWithTheLineOfTheirFirstUse) {
  EXPECT_EQ(Uses("%\n"
                 "O1000\n"
                 "G90 G54 G00 X0 Y0\n"
                 "T12 M06\n"
                 "G43 H12 Z50.\n"
                 "G41 D12 X10.\n"
                 "T12 M06\n"
                 "G44 H12 Z5.\n"
                 "G54.1 P12\n"
                 "G54.1P12\n"
                 "G54.2 P8\n"
                 "G59\n"
                 "%\n"),
            "G54@3 T12@4 H12@5 D12@6 G54.1P12@9 G54.2P8@11 G59@12");
  // The order of the words in a block does not matter; H and D count only
  // with the offset's G code in the same block.
  EXPECT_EQ(Uses("H3 Z50. G43\nD4 G42 X1.\nH5 Z1.\nD6 X1.\nG49 H0\nG40 D7\n"), "H3@1 D4@2");
  EXPECT_EQ(Uses("G43.4 H1\nG43.5 H2\nG43.1 H3\nG44 H4\nG41 D5\nG42 D6\nG43.2 H7\nG41.1 D8\n"),
            "H1@1 H2@2 H3@3 H4@4 D5@5 D6@6");
  // T0, H0 and D0 select nothing.
  EXPECT_EQ(Uses("T0 M06\nG43 H0\nG41 D0\n"), "");
}

TEST(NcReader, CommentsPercentLinesAndMacroCallsAreNotRead) {
  EXPECT_EQ(Uses("(T12 G43 H5)\nG00 (T13) T14\n(unclosed T15\nT16\n"), "T14@2 T16@4");
  // Japanese text in the ANSI code page (Shift-JIS), also with trail bytes
  // that are letters, and outside a comment: such a block is not read.
  EXPECT_EQ(Uses("(\x83\x54\x83\x93\x83\x76\x83\x8b T9)\nT1 M06\nT2 \x83\x54\n"), "T1@2");
  EXPECT_EQ(Uses("%T5\nT6\n%\nT7\n"), "T6@2");  // nothing after the closing '%'
  EXPECT_EQ(Uses("T1 % T2\n"), "");              // a stray '%' is junk
  EXPECT_EQ(Uses("G65 P9000 T12 H3 D4\nG66 P9001 T13\nG66.1 P9002 T14\nX1 T15\nG67 T16\nT17\n"), "T17@6");
  // The G code of a G65 block comes last: the block is still a macro call.
  EXPECT_EQ(Uses("T12 P9000 G65\nG43 H2 G65 P1\n"), "");
}

TEST(NcReader, WordsWhoseValueIsNotAPlainIntegerAreNotChecked) {
  EXPECT_EQ(Uses("T#1 M06\nG43 H[#5+1]\nT12.\nT-3\nT+4\nG41 D#7\nT#1 G43 H2\n"), "H2@7");
  EXPECT_EQ(Uses("#1=12\n#100=T5\nT5 #2=3\nIF [#1 LT 10] GOTO 20\nWHILE [#1 LE 3] DO1\nEND1\nG#1 T3\n"), "");
  EXPECT_EQ(Uses("G00 X[#1+2] T4\nG01 X#2 Y[SIN[#3]] T5\n"), "T4@1 T5@2");
  EXPECT_EQ(Uses("T1234567890\nT123456789\n"), "T123456789@2");  // beyond nine digits: not read
}

TEST(NcReader, BlockNumbersBlockDeleteBlanksAndCase) {
  EXPECT_EQ(Uses("N10 T1 M06\nN0020T2M06\n/N30 T3 M06\n/ T4\n  /T5\nN40 T6 /M06 T7\n"), "T1@1 T2@2 T6@6");
  EXPECT_EQ(Uses("T 1 2 M06\nG 4 3 H 1 2\nG54 . 1 P 3\nt8 m06\ng43 h8\ng41d8\ng54.2p1\n"),
            "T12@1 H12@2 G54.1P3@3 T8@4 H8@5 D8@6 G54.2P1@7");
  EXPECT_EQ(Uses("T007 M06\nG043 H003\n"), "T7@1 H3@2");
  // ';' ends a block as the control's end-of-block does; the line stays.
  EXPECT_EQ(Uses("T1 ; G43 H1 ;\nG43 ; H2 ; G44\n"), "T1@1 H1@1 H2@2");
}

TEST(NcReader, LineEndsCrLfAndCrCountOneLineEach) {
  EXPECT_EQ(Uses("%\r\nG54\r\nT1\r\n\r\nT2\r\n%\r\n"), "G54@2 T1@3 T2@5");
  EXPECT_EQ(Uses("%\rG54\rT1\r\rT2\r%\r"), "G54@2 T1@3 T2@5");
  EXPECT_EQ(Uses("G54\nT1\r\n\rT2\n\rT3"), "G54@1 T1@2 T2@4 T3@6");
}

TEST(NcReader, WorkOffsetsOnlyWithinTheirRange) {
  EXPECT_EQ(Uses("G54.1 P300\nG54.1 P301\nG54.1 P0\nG54.1\nG54.2 P9\nG54.2 P0\nG54.3 P1\nG53\nG60\n"),
            "G54.1P300@1");
  // "G54 P12" with no other owner of P is G54.1 P12; G55 ... G59 are
  // checked whatever owns the block's P.
  EXPECT_EQ(Uses("G54 P12\nG55 M98 P100\nG56\n"), "G54.1P12@1 G55@2 G56@3");
  // The last work-offset code of a block wins.
  EXPECT_EQ(Uses("G54 G55\n"), "G55@1");
}

// The edges of each rule, one program a row: what is still used after the
// program's own sets, and where.
struct RuleCase {
  const char* program;
  const char* uses;
};

const RuleCase kRuleCases[] = {
    // Program order: a set counts from its block on, a set after the first use keeps it.
    {"G10 L2 P1 X0\nG54\nG55\nG10 L2 P2 X0\nG55\n", "G55@3"},
    {"G54\n#5221=1.\nG43 H3\n#2003=1.\nG41 D3\n", "G54@1 H3@3"},
    {"G54 G10 L2 P1 X0\n", ""},  // a G10 block is data: it uses nothing
    // Sets after M30, M02 or M99, or in a second program section, count for the whole file.
    {"G54\nM30\nG10 L2 P1 X0\n", ""},
    {"G54\n/M99\n#5221=1.\n", ""},
    {"O1\nG54\nO2\nG10 L2 P1 X0\n", ""},
    {"G54\n<SUB>\nG10 L2 P1 X0\n", ""},
    {"G54\nO2\nG10 L2 P1 X0\n", ""},  // a program number after blocks: not the main program's
    // G10 forms: L20 (G54.1), L21 (G54.2), P0 is the external offset, an unknown P any row of its kind.
    {"G10 L20 P5 X0\nG10 L21 P2 X0\nG10 L2 P0 X0\nG54.1 P5\nG54.2 P2\nG54\n", "G54@6"},
    {"G10 L20 P#1 X0\nG54.1 P300\nG54.2 P1\nG59\n", "G54.2P1@3 G59@4"},
    {"G10 L2 X0\nG59\nG54.1 P1\n", "G54.1P1@3"},
    {"G10 L#1 P1 R0\nG43 H7\nG41 D7\nG56\nG54.2 P8\n", ""},
    // Tool offsets: L1, L10, L11 and no L may be length and radius, L12 and L13 radius only.
    {"G10 L11 P3 R1.\nG10 L13 P4 R1.\nG10 P5 R1.\nG43 H3\nG41 D3\nG43 H4\nG41 D4\nG43 H5\n", "H4@6"},
    {"G10 L12 P#1 R1.\nG41 D77\nG43 H77\n", "H77@3"},
    // Variables at the edges of each range.
    {"#5201=1\n#5328=1\n#5329=1\nG54\nG59\n", "G54@4"},
    {"#7948=1\n#19988=1\n#14001=1\n#7001=1\nG54.1 P48\nG54.1 P300\nG54.1 P1\nG54.1 P2\n", "G54.1P2@8"},
    {"#2806=1\n#2507=1\n#2500=1\nG59\nG54\n", "G54@5"},
    {"#10999=1\n#11000=1\n#13001=1\nG43 H999\nG43 H1000\nG41 D1\nG43 H1\n", "H1000@5"},
    {"#2400=1\n#2801=1\nG43 H200\nG43 H400\nG41 D1\n", "D1@5"},
    {"# 5221 = 1\nIF [#1 EQ 1] THEN #5241=2\nG54\nG55\n", ""},
    // Computed targets: common variables set nothing, anything else every offset.
    {"#[100+#1]=1\nG54\n", "G54@2"},
    {"#[#1]=1\nG54\nG43 H3\n", ""},
    // Probing macros set nothing: the simulator cannot probe.
    {"G65 P9811 Z0. S1\nG54\n", "G54@2"},
    // P words go to their owners; G54.1 and G54.2 need a P of their own.
    {"G54.1 P2 G04 P100\nG54.1 P3 M98 P10\nG54.2 P1 G65 P9000\nG57 G82 Z-1. R1. P200\nG58 M99 P30\n",
     "G57@4 G58@5"},
    {"G54 P2 P3\nG54 P0\nG54 P301\nG55 P4\n", "G55@4"},
    // Modal D and H, reported at the line of the word they came from.
    {"H1 D2\nX1.\nG43 Z1.\nG41 X1.\n", "H1@1 D2@1"},
    {"D2\nG41 D3\nG42\n", "D3@2"},
    {"D2\nG65 P9000 D5 H6\nG41\nG43\n", "D2@1"},  // a macro's arguments are no offsets
    {"D2\n/D5\nG41\nD6\nG43 H1 /H2\nG44\nG42\n", "D6@4 H1@5"},
    {"D2\nWHILE [#1 LT 2] DO1\nEND1\nG41\n", "D2@1"},  // DO1, END1: no D words
    {"D2\n#1=1 D5\nG41\nD0\nG41\nH0\nG43\n", ""},
    // Every T word of a block.
    {"T3 M06 T12\n", "T3@1 T12@1"},
    // Comments: the first ')' closes; a '(' inside, an unclosed comment or a
    // stray ')' leaves the rest of the block unread.
    {"T1 (A (B) T2) T3\nT4 ) T5\nT6 (OPEN T7\nT8 (X) T9\n", "T1@1 T4@2 T6@3 T8@4 T9@4"},
    // Program names are no words.
    {"<THE_HOLDER_TWO>\nM98 <PD_T5>\nT1\n", "T1@3"},
};

TEST(NcReader, RulesOfOrderOwnershipAndModalWords) {
  for (const RuleCase& c : kRuleCases) EXPECT_EQ(Uses(c.program), c.uses) << c.program;
}

// Text no control could read is said so; the uses are those of the bytes.
TEST(NcReader, Utf16AndTextWithoutBlocksAreNotReadable) {
  const std::string le("\xFF\xFET\0001\0\n\0", 8), be("\xFE\xFF\0T\0001\0\n", 8), bare("T\0001\0\n\0G\0005\0005\0\n\0", 14);
  for (const std::string& text : {le, be, bare, std::string(), std::string("%\n(ONLY A COMMENT)\n\n%\n")}) {
    const NcReading reading = ReadNcProgram(text, true);
    ExpectSameFromFile(text, true);
    EXPECT_FALSE(reading.readable) << text;
    EXPECT_TRUE(reading.uses.empty());
  }
  for (const char* text : {"T1", "\xEF\xBB\xBF%\nT1\n%\n", "%\nX1.\n%\n", "#1=2\n"}) {
    EXPECT_TRUE(ReadNcProgram(text, true).readable) << text;
  }
  EXPECT_EQ(Uses("\xEF\xBB\xBF%\nT1\n%\nT2\n"), "T1@2");
}

TEST(NcReader, ToolWordsOnlyWhenAsked) {
  EXPECT_EQ(Uses("T0101\nG54\nG43 H1\n", false), "G54@2 H1@3");
}

TEST(NcReader, BinaryJunkReadsAsNothing) {
  std::string junk;
  unsigned state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1103515245u + 12345u;
    unsigned char c = static_cast<unsigned char>(state >> 16);
    // Junk with no line ends and no block-end bytes: nothing reads as a block of words.
    junk += static_cast<char>(c == '\n' || c == '\r' || c == ';' ? 0 : c);
  }
  EXPECT_EQ(Uses(junk), "");
  EXPECT_EQ(Uses(std::string("\0T1\0\n", 5)), "");
  EXPECT_EQ(Uses(""), "");
  EXPECT_EQ(Uses("T"), "");
  EXPECT_EQ(Uses("G54.1 P"), "");
  EXPECT_EQ(Uses("(((]]][[[T1"), "");
}

// Every way of finding the bytes that may matter (those this processor can
// run) finds exactly them, at every place in a run and at every length.
TEST(NcReader, BytesThatMayMatterFoundAlikeEveryWay) {
  std::string text;
  for (int i = 0; i < static_cast<int>(kMaskedRun); ++i) text += static_cast<char>((i * 7 + i / 256) & 0xff);
  for (size_t length : {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{1000}, kMaskedRun}) {
    const std::string_view run(text.data() + (kMaskedRun - length) / 2, length);
    uint64_t expected[kMaskedRun / 64] = {};
    for (size_t i = 0; i < length; ++i)
      if (MayMatter(run[i])) expected[i / 64] |= uint64_t{1} << (i % 64);
    for (MatterWay way : MatterWays()) {
      uint64_t masks[kMaskedRun / 64];
      std::fill(std::begin(masks), std::end(masks), ~uint64_t{0});
      FindMatterBytes(run, masks, way);
      EXPECT_TRUE(std::equal(std::begin(masks), std::end(masks), std::begin(expected)))
          << "way " << static_cast<int>(way) << ", length " << length;
    }
  }
}

}  // namespace
}  // namespace quenlo::nc_check
