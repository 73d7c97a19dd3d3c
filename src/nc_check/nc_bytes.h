// What each byte of an NC program means to the reader, and where in a run of
// bytes the ones that may matter are. Most of a program is moves ("G01
// X12.5 Y-3. F800."), whose bytes the check passes over: finding the few
// that matter 16 or 32 bytes at a time is most of the reader's speed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>
#include <vector>

namespace quenlo::nc_check {

enum ByteClass : unsigned char {
  kPlain = 0,   // other addresses, digits, signs, points, blanks
  kWordLetter,  // G T H D P M L O, either case
  kBlockEnd,    // CR, LF, ';'
  kComment,     // '('
  kCommentEnd,  // ')' outside a comment: the block's comments are not what a control accepts
  kBracket,     // '[': an expression, read over as a whole
  kName,        // '<': a program name, "<NAME>"
  kSlash,       // block delete: what follows in the block is optional
  kPercent,     // a '%' line opens or closes the program
  kAssign,      // '=': a macro assignment
  kJunk,        // control characters and bytes outside ASCII: the block is not read
};

constexpr std::array<ByteClass, 256> MakeByteClasses() {
  std::array<ByteClass, 256> c{};
  for (int b = 0; b < 256; ++b) c[b] = (b < 0x20 || b >= 0x7f) ? kJunk : kPlain;
  c['\t'] = kPlain;
  for (char l : {'G', 'T', 'H', 'D', 'P', 'M', 'L', 'O'}) {
    c[static_cast<unsigned char>(l)] = kWordLetter;
    c[static_cast<unsigned char>(l + ('a' - 'A'))] = kWordLetter;
  }
  c['\r'] = c['\n'] = c[';'] = kBlockEnd;
  c['('] = kComment;
  c[')'] = kCommentEnd;
  c['['] = kBracket;
  c['<'] = kName;
  c['/'] = kSlash;
  c['%'] = kPercent;
  c['='] = kAssign;
  return c;
}
inline constexpr std::array<ByteClass, 256> kByteClasses = MakeByteClasses();

inline ByteClass ClassOf(char c) { return kByteClasses[static_cast<unsigned char>(c)]; }

// Whether a byte may matter: every byte whose class is not kPlain, and two
// that are (tab, '{'), which the reader passes over; the lookup 16 or 32
// bytes at a time finds exactly these.
inline bool MayMatter(char c) { return ClassOf(c) != kPlain || c == '\t' || c == '{'; }

// The bytes of a run of text that may matter, 64 to a mask: bit i of
// masks[k] is set when text[64 * k + i] may matter. The text is at most
// kMaskedRun bytes long; `masks` holds kMaskedRun / 64 words, and those past
// the text's end are cleared.
inline constexpr size_t kMaskedRun = 4096;
void FindMatterBytes(std::string_view text, uint64_t* masks);

// The ways of finding them, each giving the same masks: a table, and where
// the processor has them, 16 (SSSE3) or 32 (AVX2) bytes at a time. The one
// above takes the fastest; tests compare all that this processor can run.
enum class MatterWay { kTable, kSsse3, kAvx2 };
std::vector<MatterWay> MatterWays();
void FindMatterBytes(std::string_view text, uint64_t* masks, MatterWay way);

}  // namespace quenlo::nc_check
