#include "nc_check/nc_reader.h"

#include <array>
#include <cstdint>
#include <unordered_set>

namespace quenlo::nc_check {
namespace {

// What a byte means to the reader. Everything that cannot change the meaning
// of a T, H, D, P or G word (the other addresses, digits, signs, points,
// blanks) is passed over in one tight loop.
enum ByteClass : unsigned char {
  kPlain = 0,
  kWordLetter,  // G T H D P, either case
  kBlockEnd,    // CR, LF, ';'
  kComment,     // '('
  kBracket,     // '[': an expression, read over as a whole
  kSlash,       // block delete: what follows in the block is optional
  kPercent,     // a '%' line opens or closes the program
  kAssign,      // '=': a macro assignment
  kJunk,        // control characters and bytes outside ASCII: the block is not read
};

constexpr std::array<ByteClass, 256> MakeClasses() {
  std::array<ByteClass, 256> c{};
  for (int b = 0; b < 256; ++b) c[b] = (b < 0x20 || b >= 0x7f) ? kJunk : kPlain;
  c['\t'] = kPlain;
  for (char l : {'G', 'T', 'H', 'D', 'P'}) {
    c[static_cast<unsigned char>(l)] = kWordLetter;
    c[static_cast<unsigned char>(l + ('a' - 'A'))] = kWordLetter;
  }
  c['\r'] = c['\n'] = c[';'] = kBlockEnd;
  c['('] = kComment;
  c['['] = kBracket;
  c['/'] = kSlash;
  c['%'] = kPercent;
  c['='] = kAssign;
  return c;
}
constexpr std::array<ByteClass, 256> kClasses = MakeClasses();

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The value after an address letter, blanks inside it ignored as the control
// ignores them ("T 1 2" is T12).
struct Value {
  int64_t whole = 0;
  int whole_digits = 0;
  int fraction = 0;
  int fraction_digits = 0;
  bool point = false;
  bool stands_alone = false;  // followed by the next address, a comment or the block's end

  // A plain integer: "12", not "12.", "-1", "#1" or "[#5+1]".
  bool IsInteger() const { return stands_alone && !point && whole_digits > 0 && whole_digits <= 9; }
  // A G code as ten times its number: G43 = 430, G54.1 = 541. -1 when it is not one.
  int GCode() const {
    if (!stands_alone || whole_digits == 0 || whole_digits > 3) return -1;
    if (point && fraction_digits != 1) return -1;
    return static_cast<int>(whole) * 10 + (point ? fraction : 0);
  }
};

const char* ReadDigits(const char* p, const char* end, int64_t& number, int& digits) {
  for (; p < end; ++p) {
    if (IsDigit(*p)) {
      if (digits < 10) number = number * 10 + (*p - '0');
      ++digits;
    } else if (!IsBlank(*p)) {
      break;
    }
  }
  return p;
}

const char* ReadValue(const char* p, const char* end, Value& v) {
  p = ReadDigits(p, end, v.whole, v.whole_digits);
  if (p < end && *p == '.') {
    v.point = true;
    int64_t fraction = 0;
    p = ReadDigits(p + 1, end, fraction, v.fraction_digits);
    v.fraction = static_cast<int>(fraction % 10);
  }
  v.stands_alone = p == end || IsLetter(*p) || *p == '\r' || *p == '\n' || *p == ';' || *p == '(' ||
                   *p == '/' || *p == ',';
  return p;
}

constexpr int kNone = -1;

// The words of one block that matter, decided on at the block's end: the
// control takes a block as a whole, whatever the order of its words.
struct Block {
  int tool = kNone, length = kNone, radius = kNone, p = kNone;
  bool length_offset = false;  // G43, G43.4, G43.5, G44
  bool radius_offset = false;  // G41, G42
  bool macro_call = false;     // G65, G66: the letters are the macro's arguments
  bool modal_call = false;     // G66.1: every block up to G67 calls the macro
  bool modal_call_end = false; // G67
  int work_code = 0;           // the last of G54..G59, G54.1, G54.2 (as GCode())
  bool optional_rest = false;  // after a block-delete slash nothing is read
  bool unread = false;         // a macro statement or junk: the block tells nothing

  void Take(char letter, const Value& v) {
    int* slot = nullptr;
    switch (letter) {
      case 'G': return TakeG(v.GCode());
      case 'T': slot = &tool; break;
      case 'H': slot = &length; break;
      case 'D': slot = &radius; break;
      case 'P': slot = &p; break;
    }
    if (slot && *slot == kNone && v.IsInteger()) *slot = static_cast<int>(v.whole);
  }

  void TakeG(int code) {
    switch (code) {
      case -1: unread = true; break;  // G#1, GOTO: nothing in this block can be trusted
      case 430: case 434: case 435: case 440: length_offset = true; break;
      case 410: case 420: radius_offset = true; break;
      case 650: case 660: macro_call = true; break;
      case 661: modal_call = true; break;
      case 670: modal_call_end = true; break;
      case 540: case 550: case 560: case 570: case 580: case 590: case 541: case 542: work_code = code; break;
      default: break;
    }
  }

  // The work-offset table row the block selects, or kNone.
  int WorkOffsetRow() const {
    switch (work_code) {
      case 0: return kNone;
      case 541: return p >= 1 && p <= 300 ? 6 + p : kNone;
      case 542: return p >= 1 && p <= 8 ? 306 + p : kNone;
      default:
        // "G54 P12" is another way to write G54.1 P12 on some controls, and P
        // has other meanings too (M98 P...): such a block is not read.
        if (p != kNone) return kNone;
        return work_code / 10 - 53;
    }
  }
};

class Reader {
 public:
  explicit Reader(bool read_tool_words) : read_tools_(read_tool_words) {}

  std::vector<NcUse> Read(std::string_view program) {
    const char* p = program.data();
    const char* const end = p + program.size();
    block_start_ = p;
    while (p < end) {
      p = SkipPlain(p, end);
      if (p == end) break;
      switch (kClasses[static_cast<unsigned char>(*p)]) {
        case kWordLetter: {
          const char letter = static_cast<char>(*p & ~0x20);
          Value v;
          p = ReadValue(p + 1, end, v);
          if (!block_.optional_rest) block_.Take(letter, v);
          break;
        }
        case kBlockEnd:
          EndBlock();
          if (*p == '\r') {
            ++line_;
            if (p + 1 < end && p[1] == '\n') ++p;
          } else if (*p == '\n') {
            ++line_;
          }
          block_start_ = ++p;
          break;
        case kComment:  // to ')' or the line's end; it may hold any text of the code page
          while (p < end && *p != ')' && *p != '\r' && *p != '\n') ++p;
          if (p < end && *p == ')') ++p;
          break;
        case kBracket:
          p = SkipExpression(p, end);
          break;
        case kSlash:
          block_.optional_rest = true;
          ++p;
          break;
        case kPercent:
          if (OnlyBlanksBefore(p)) {
            // The first '%' line opens the program, the next one ends it;
            // nothing after that is read.
            if (++percent_lines_ == 2) return std::move(uses_);
            while (p < end && *p != '\r' && *p != '\n') ++p;
          } else {
            block_.unread = true;
            ++p;
          }
          break;
        default:  // kAssign, kJunk (kPlain does not come here)
          block_.unread = true;
          ++p;
          break;
      }
    }
    EndBlock();
    return std::move(uses_);
  }

 private:
  // The bytes that cannot change a word the check reads, four at a time.
  static const char* SkipPlain(const char* p, const char* end) {
    auto cls = [](const char* q) { return kClasses[static_cast<unsigned char>(*q)]; };
    while (end - p >= 4 && (cls(p) | cls(p + 1) | cls(p + 2) | cls(p + 3)) == kPlain) p += 4;
    while (p < end && cls(p) == kPlain) ++p;
    return p;
  }

  static const char* SkipExpression(const char* p, const char* end) {
    int depth = 0;
    for (; p < end && *p != '\r' && *p != '\n'; ++p) {
      if (*p == '[') ++depth;
      if (*p == ']' && --depth == 0) return p + 1;
    }
    return p;
  }

  bool OnlyBlanksBefore(const char* p) const {
    for (const char* q = block_start_; q < p; ++q)
      if (!IsBlank(*q)) return false;
    return true;
  }

  // Takes what the block uses.
  void EndBlock() {
    const Block b = block_;
    block_ = Block{};
    if (b.modal_call) in_modal_call_ = true;
    if (in_modal_call_) {
      if (b.modal_call_end) in_modal_call_ = false;
      return;
    }
    if (b.unread || b.macro_call) return;
    if (read_tools_ && b.tool > 0) Use(NcWord::kTool, b.tool);
    if (b.length_offset && b.length > 0) Use(NcWord::kLength, b.length);
    if (b.radius_offset && b.radius > 0) Use(NcWord::kRadius, b.radius);
    const int row = b.WorkOffsetRow();
    if (row != kNone) Use(NcWord::kWorkOffset, row);
  }

  void Use(NcWord word, int number) {
    const uint64_t key = (static_cast<uint64_t>(word) << 32) | static_cast<uint32_t>(number);
    if (seen_.insert(key).second) uses_.push_back({word, number, line_});
  }

  bool read_tools_;
  const char* block_start_ = nullptr;
  Block block_;
  int line_ = 1;
  int percent_lines_ = 0;
  bool in_modal_call_ = false;
  std::unordered_set<uint64_t> seen_;
  std::vector<NcUse> uses_;
};

}  // namespace

std::vector<NcUse> ReadNcUses(std::string_view program, bool read_tool_words) {
  return Reader(read_tool_words).Read(program);
}

}  // namespace quenlo::nc_check
