#include "nc_check/nc_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "nc_check/nc_bytes.h"
#include "platform/files.h"
#include "settings/work_offset_rows.h"

namespace quenlo::nc_check {
namespace {

// Work-offset rows: G54.1 Pn is row kG541Base + n, G54.2 Pn row kG542Base + n.
constexpr int kG541Base = kFirstG541Row - 1;
constexpr int kG542Base = kFirstG542Row - 1;
constexpr int kG541Rows = kFirstG542Row - kFirstG541Row;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The value after an address letter, blanks inside it ignored as the control
// ignores them ("T 1 2" is T12).
struct Value {
  int64_t whole = 0;
  int whole_digits = 0;
  int fraction = 0;
  int fraction_digits = 0;
  bool point = false;
  bool stands_alone = false;  // followed by the next address, a comment, a name or the block's end

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
  v.stands_alone = p == end || IsLetter(*p) || IsLineEnd(*p) || *p == ';' || *p == '(' || *p == '/' ||
                   *p == ',' || *p == '<' || *p == ')';
  return p;
}

constexpr int kAbsent = -1;    // the word is not in the block
constexpr int kUnsure = -2;  // the word is there, its value is no plain integer

// The words of one block that matter, decided on at the block's end: the
// control takes a block as a whole, whatever the order of its words. Of each
// of H, D, P and L the first word counts.
struct Block {
  int length = kAbsent, radius = kAbsent, p = kAbsent, l = kAbsent;
  int h_words = 0, d_words = 0, p_words = 0;
  int work_code = 0;            // the last of G54..G59, G54.1, G54.2 (as GCode())
  bool length_offset = false;   // G43, G43.1, G43.4, G43.5, G43.7, G44
  bool radius_offset = false;   // G41, G42, G41.2, G42.2, G41.3, G41.4 ... G41.6, G42.4 ... G42.6
  bool macro_call = false;      // G65, G66: the letters are the macro's arguments
  bool modal_call = false;      // G66.1: every block up to G67 calls the macro
  bool modal_call_end = false;  // G67
  bool sets_data = false;       // G10
  bool p_owner = false;         // a code other than G54.1/G54.2 whose P the block's P is
  bool ends_program = false;    // M02, M30, M99
  bool unread = false;          // a macro statement or junk: the block uses nothing
  bool junk = false;

  static void First(int& slot, const Value& v) {
    if (slot == kAbsent) slot = v.IsInteger() ? static_cast<int>(v.whole) : kUnsure;
  }

  // Whether the word changed anything (most G and M codes do not).
  bool Take(char letter, const Value& v) {
    switch (letter) {
      case 'G': return TakeG(v.GCode());
      case 'H': ++h_words; First(length, v); return true;
      case 'D': ++d_words; First(radius, v); return true;
      case 'P': ++p_words; First(p, v); return true;
      case 'L': First(l, v); return true;
      case 'M': return v.IsInteger() && TakeM(v.whole);
      default: return false;  // T and O are the reader's
    }
  }

  bool TakeM(int64_t code) {
    switch (code) {
      case 2: case 30: ends_program = true; break;
      case 99: ends_program = p_owner = true; break;  // M99 P: the sequence number to return to
      case 97: case 98: case 198: p_owner = true; break;
      default: return false;
    }
    return true;
  }

  bool TakeG(int code) {
    switch (code) {
      case -1: unread = true; break;  // G#1: nothing in this block can be trusted
      case 430: case 431: case 434: case 435: case 437: case 440: length_offset = true; break;
      case 410: case 420: case 412: case 422: case 413: case 414: case 415: case 416: case 424: case 425: case 426:
        radius_offset = true;
        break;
      case 650: case 660: macro_call = p_owner = true; break;
      case 661: modal_call = p_owner = true; break;
      case 670: modal_call_end = true; break;
      case 100: sets_data = p_owner = true; break;
      // The dwell and the canned cycles, whose P is a dwell.
      case 40: case 730: case 740: case 760: case 810: case 820: case 830: case 840: case 850: case 860:
      case 870: case 880: case 890:
        p_owner = true;
        break;
      case 540: case 550: case 560: case 570: case 580: case 590: case 541: case 542: work_code = code; break;
      default: return false;
    }
    return true;
  }

  // The words of the block's sure part `s` and of its optional part `o`
  // (which comes after it) together.
  static Block Union(const Block& s, const Block& o) {
    Block a = s;
    for (auto [slot, other] : {std::pair{&a.length, o.length}, {&a.radius, o.radius}, {&a.p, o.p}, {&a.l, o.l}})
      if (*slot == kAbsent) *slot = other;
    a.h_words += o.h_words;
    a.d_words += o.d_words;
    a.p_words += o.p_words;
    if (o.work_code) a.work_code = o.work_code;
    for (auto [flag, other] : {std::pair{&a.length_offset, o.length_offset}, {&a.radius_offset, o.radius_offset},
                               {&a.macro_call, o.macro_call}, {&a.modal_call, o.modal_call},
                               {&a.modal_call_end, o.modal_call_end}, {&a.sets_data, o.sets_data},
                               {&a.p_owner, o.p_owner}, {&a.ends_program, o.ends_program}})
      *flag = *flag || other;
    return a;
  }

  // The work-offset table row the block selects, or kAbsent. G54 ... G59 are
  // selected whatever owns the block's P; G54.1 and G54.2 only with a P that
  // no other code owns. "G54 Pn" with no other owner of P is G54.1 Pn, as a
  // 30i-class control reads it.
  int WorkOffsetRow() const {
    const bool own_p = !p_owner && p_words == 1 && p >= 1;
    switch (work_code) {
      case 0: return kAbsent;
      case 541: return own_p && p <= kG541Rows ? kG541Base + p : kAbsent;
      case 542: return own_p && p <= kG542Rows ? kG542Base + p : kAbsent;
      case 540:
        if (!p_owner && p_words > 0) return own_p && p <= kG541Rows ? kG541Base + p : kAbsent;
        return 1;
      default: return work_code / 10 - 53;
    }
  }
};

// The groups of offsets that a set of unknown number covers.
enum Group { kLengths, kRadii, kStandardOffsets, kExtendedOffsets, kFixtureOffsets, kGroups };

Group GroupOf(NcWord word, int number) {
  switch (word) {
    case NcWord::kLength: return kLengths;
    case NcWord::kRadius: return kRadii;
    default:
      return number <= kG541Base ? kStandardOffsets : number <= kG542Base ? kExtendedOffsets : kFixtureOffsets;
  }
}

uint64_t Key(NcWord word, int number) {
  return (static_cast<uint64_t>(word) << 32) | static_cast<uint32_t>(number);
}

// A set of unknown target when every number written in the brackets is
// below this: `#[100+#1]=` (the common and local variables).
constexpr int64_t kFirstOffsetVariable = 2000;

class Reader {
 public:
  explicit Reader(bool read_tool_words) : read_tools_(read_tool_words) { all_set_.fill(kNever); }

  // Reads the next piece of the program. A piece ends at the end of a line
  // (or of the program): no block is cut. False once the program has ended
  // (its closing '%' line): nothing after it is read.
  bool Take(std::string_view piece) {
    const char* p = piece.data();
    const char* const end = p + piece.size();
    if (head_.size() < kHead) head_.append(piece.substr(0, kHead - head_.size()));
    if (!started_ && !piece.empty()) {
      started_ = true;
      if (piece.substr(0, 3) == "\xEF\xBB\xBF") p += 3;  // a UTF-8 mark
    }
    block_start_ = p;
    piece_end_ = end;
    computed_target_end_ = nullptr;
    // The bytes that may matter are found for a run of the piece at a time,
    // and visited in order; those that a word, a comment or an expression
    // already took are passed over. Taking the next one from the masks, not
    // from where the last one left `p`, keeps the visits from waiting on each
    // other.
    while (p < end) {
      const char* const run = p;
      const size_t length = std::min<size_t>(end - run, kMaskedRun);
      FindMatterBytes(std::string_view(run, length), masks_);
      for (size_t word = 0; word < (length + 63) / 64; ++word) {
        for (uint64_t mask = masks_[word]; mask; mask &= mask - 1) {
          const char* const at = run + 64 * word + __builtin_ctzll(mask);
          if (at < p) continue;
          p = at;
          if (!TakeByte(p, end)) return false;
        }
      }
      p = std::max(p, run + length);
    }
    return true;
  }

  // Reads the byte at `p`, which may matter, and what it starts; `p` is left
  // after what was read. False at the program's end.
  bool TakeByte(const char*& p, const char* end) {
    if (*p == '\r' || *p == '\n') {
      if (!touched_ && readable_) {  // a block that changes nothing (no junk either)
        blocks_with_words_ += words_;
        words_ = false;
        ++block_index_;
      } else {
        EndBlock(p);
      }
      ++line_;
      if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
      block_start_ = ++p;
      return true;
    }
    const ByteClass byte_class = ClassOf(*p);
    if (byte_class == kWordLetter) {  // the other common one, apart from the switch's jump
      p = ReadWord(p, end);
      return true;
    }
    switch (byte_class) {
      case kPlain:       // a tab or a '{': passed over
      case kWordLetter:  // (taken above)
        ++p;
        break;
      case kBlockEnd:  // ';' (the line ends are taken above)
        EndBlock(p);
        block_start_ = ++p;
        break;
      case kComment: {
        // To the first ')'. A '(' inside or no ')' before the line's end is
        // a comment no control accepts: the rest of the block is unread.
        const char* q = p + 1;
        while (q < end && *q != ')' && *q != '(' && !IsLineEnd(*q)) ++q;
        if (q < end && *q == ')') {
          p = q + 1;
        } else {
          Optional();
          p = q;
        }
        break;
      }
      case kCommentEnd:
        Optional();
        ++p;
        break;
      case kBracket:
        p = ReadExpression(p, end);
        break;
      case kName: {
        const char* q = p + 1;
        while (q < end && *q != '>' && !IsLineEnd(*q)) ++q;
        if (q < end && *q == '>') {
          if (!words_ && !optional_) Header();
          words_ = true;
          p = q + 1;
        } else {
          Optional();
          p = q;
        }
        break;
      }
      case kSlash:
        Optional();
        ++p;
        break;
      case kPercent:
        if (OnlyBlanksBefore(p)) {
          // The first '%' line opens the program, the next one ends it;
          // nothing after that is read.
          if (++percent_lines_ == 2) return false;
          while (p < end && !IsLineEnd(*p)) ++p;
          block_start_ = p;
        } else {
          Unread(true);
          ++p;
        }
        break;
      case kAssign:
        Unread(false);
        TakeAssignment(p);
        ++p;
        break;
      case kJunk:
        Unread(true);
        ++p;
        break;
    }
    return true;
  }

  // After the last piece.
  NcReading Finish() {
    if (percent_lines_ < 2) EndBlock(piece_end_);
    NcReading reading;
    reading.readable = readable_ && !LooksLikeUtf16(head_);
    for (const Timed& u : uses_) {
      int64_t set = all_set_[GroupOf(u.use.word, u.use.number)];
      if (u.use.word != NcWord::kTool) {
        auto it = sets_.find(Key(u.use.word, u.use.number));
        if (it != sets_.end()) set = std::min(set, it->second);
      }
      (set > u.block ? reading.uses : reading.set_uses).push_back(u.use);
    }
    const auto by_line = [](const NcUse& x, const NcUse& y) { return x.line < y.line; };
    std::stable_sort(reading.uses.begin(), reading.uses.end(), by_line);
    std::stable_sort(reading.set_uses.begin(), reading.set_uses.end(), by_line);
    return reading;
  }

 private:
  static constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
  static constexpr int64_t kWholeFile = 0;
  static constexpr size_t kHead = 1024;  // what the test for UTF-16 looks at

  bool OnlyBlanksBefore(const char* p) const {
    for (const char* q = block_start_; q < p; ++q)
      if (!IsBlank(*q)) return false;
    return true;
  }

  void Unread(bool junk) {
    block_.unread = true;
    block_.junk = block_.junk || junk;
    touched_ = true;
  }

  void Optional() {
    optional_ = true;
    touched_ = true;
  }

  // A word letter and its value. A letter next to another letter is part of
  // a macro keyword (GOTO, THEN, END1, DPRNT ...): the block is a macro
  // statement and the letter no address.
  const char* ReadWord(const char* p, const char* end) {
    if (p > block_start_ && IsLetter(p[-1])) {
      Unread(false);
      return p + 1;
    }
    if (const char* q = SkipMotionCode(p, end)) {
      words_ = true;
      return q;
    }
    if (p + 1 < end && IsLetter(p[1])) {
      Unread(false);
      return p + 1;
    }
    const char letter = static_cast<char>(*p & ~0x20);
    Value v;
    p = ReadValue(p + 1, end, v);
    if (letter == 'T') {
      if (!optional_ && read_tools_) {
        tools_.push_back(v.IsInteger() ? static_cast<int>(v.whole) : kUnsure);
        touched_ = true;
      }
    } else {
      if (letter == 'O' && !words_ && !optional_) Header();
      if ((optional_ ? extra_ : block_).Take(letter, v)) touched_ = true;
    }
    words_ = true;
    return p;
  }

  // Most blocks of a program are moves: "G01 X12.5 Y-3." and the like. G0 to
  // G3 (also written G00 to G03) followed by the next address change nothing
  // the check reads; where such a code starts at `p`, what follows it. Any
  // other form ("G1 0" is G10) is left to ReadValue.
  static const char* SkipMotionCode(const char* p, const char* end) {
    if ((*p | 0x20) != 'g') return nullptr;
    const char* q = p + 1;
    if (q < end && *q == '0') ++q;
    if (q == end || *q < '0' || *q > '3') return nullptr;
    ++q;
    if (q < end && *q == ' ') ++q;
    return q < end && IsLetter(*q) ? q : nullptr;
  }

  // A program number or name at the start of a block. The first one, before
  // any block of words, is the main program's; any other starts a program
  // section whose order of execution the text does not tell.
  void Header() {
    if (headers_++ > 0 || blocks_with_words_ > 0) in_subprograms_ = true;
  }

  // An expression in brackets, read over whole. After '#' it is the number
  // of the variable that an assignment may set: what numbers it holds is kept.
  const char* ReadExpression(const char* p, const char* end) {
    const char* q = p;
    while (q > block_start_ && IsBlank(q[-1])) --q;
    const bool target = q > block_start_ && q[-1] == '#';
    int64_t largest = -1;
    int depth = 0;
    for (; p < end && !IsLineEnd(*p); ++p) {
      if (*p == '[') ++depth;
      if (*p == ']' && --depth == 0) {
        ++p;
        break;
      }
      if (target && IsDigit(*p) && !IsDigit(p[-1]) && p[-1] != '.' && p[-1] != '#') {
        // A number written in the brackets (not a variable's number, not a fraction).
        int64_t number = 0;
        const char* q = p;
        for (int digits = 0; q < end && IsDigit(*q); ++q)
          if (digits++ < 12) number = number * 10 + (*q - '0');
        largest = std::max(largest, number);
        p = q - 1;
      }
    }
    if (target) {
      computed_target_end_ = p;
      computed_target_any_ = largest < 0 || largest >= kFirstOffsetVariable;
    }
    return p;
  }

  // "#5221=..." sets the variable whose number stands before '=';
  // "#[...]=" one that the program computes.
  void TakeAssignment(const char* eq) {
    const char* q = eq;
    while (q > block_start_ && IsBlank(q[-1])) --q;
    if (q > block_start_ && q[-1] == ']') {
      if (q == computed_target_end_ && computed_target_any_)
        for (int g = 0; g < kGroups; ++g) SetGroup(static_cast<Group>(g));
      return;
    }
    int64_t number = 0, scale = 1;
    int digits = 0;
    for (; q > block_start_ && (IsDigit(q[-1]) || IsBlank(q[-1])); --q) {
      if (!IsDigit(q[-1])) continue;
      if (digits < 9) {
        number += (q[-1] - '0') * scale;
        scale *= 10;
      }
      ++digits;
    }
    if (digits > 0 && digits <= 6 && q > block_start_ && q[-1] == '#') SetVariable(static_cast<int>(number));
  }

  // The offsets a system variable may mean, on any generation of control
  // and offset memory: each of them counts as set.
  void SetVariable(int v) {
    // Work offsets: #5201... (20 per row: external, G54 ... G59), G54.1 P1 ...
    // P48 from #7001, P1 ... P300 from #14001, and the older #2500 + 100 *
    // axis + row.
    if (v >= 5201 && v <= 5328) Set(NcWord::kWorkOffset, (v - 5201) / 20);
    if (v >= 7001 && v <= 7948) Set(NcWord::kWorkOffset, 7 + (v - 7001) / 20);
    if (v >= 14001 && v <= 19988) Set(NcWord::kWorkOffset, 7 + (v - 14001) / 20);
    if (v >= 2500 && v <= 2806 && v % 100 <= 6) Set(NcWord::kWorkOffset, v % 100);
    // Tool offsets: #2001 ... #2800 hold 200 offsets a block (one memory;
    // wear and geometry; length wear, length, radius wear, radius), or
    // offsets 1 ... 400 in one memory; #10001 ... #13999 999 a block.
    if (v >= 2001 && v <= 2800) {
      const int k = v - 2000;
      SetToolOffset((k - 1) % 200 + 1, true);
      if (k <= 400) SetToolOffset(k, true);
    }
    if (v >= 10001 && v <= 13999 && v % 1000 != 0) SetToolOffset(v % 1000, true);
  }

  // G10: L2 P0 ... P6 (external, G54 ... G59), L20 P1 ... P300 (G54.1),
  // L21 P1 ... P8 (G54.2), L10 / L11 / L1 / no L (length and radius, one
  // memory or geometry and wear), L12 / L13 (radius). A P that is not a plain
  // integer, or none, may be any of them.
  void TakeSets(const Block& b) {
    if (b.l == kUnsure) {
      for (int g = 0; g < kGroups; ++g) SetGroup(static_cast<Group>(g));
      return;
    }
    const int n = b.p;
    switch (b.l) {
      case kAbsent:
        if (n == kAbsent) return;
        SetToolOffset(n, true);
        break;
      case 1: case 10: case 11: SetToolOffset(n, true); break;
      case 12: case 13: SetToolOffset(n, false); break;
      case 2: SetRows(n, 0, 6, 0, kStandardOffsets); break;
      case 20: SetRows(n, 1, kG541Rows, kG541Base, kExtendedOffsets); break;
      case 21: SetRows(n, 1, kG542Rows, kG542Base, kFixtureOffsets); break;
      default: break;
    }
  }

  void SetToolOffset(int n, bool length_too) {
    if (n == kAbsent || n == kUnsure) {
      SetGroup(kRadii);
      if (length_too) SetGroup(kLengths);
    } else if (n > 0) {
      Set(NcWord::kRadius, n);
      if (length_too) Set(NcWord::kLength, n);
    }
  }

  void SetRows(int n, int first, int last, int base, Group group) {
    if (n == kAbsent || n == kUnsure) SetGroup(group);
    else if (n >= first && n <= last) Set(NcWord::kWorkOffset, base + n);
  }

  int64_t SetsFrom() const { return in_subprograms_ ? kWholeFile : block_index_; }

  void Set(NcWord word, int number) {
    auto [it, fresh] = sets_.emplace(Key(word, number), SetsFrom());
    if (!fresh) it->second = std::min(it->second, SetsFrom());
  }
  void SetGroup(Group group) { all_set_[group] = std::min(all_set_[group], SetsFrom()); }

  // Takes what the block uses and sets.
  void EndBlock(const char* block_end) {
    if (!readable_ && !block_.junk && HoldsAddress(block_start_, block_end)) readable_ = true;
    if (words_ && !block_.junk) ++blocks_with_words_;
    words_ = false;
    if (!touched_) {  // a block of words that change nothing: most motion blocks
      ++block_index_;
      return;
    }
    touched_ = false;
    const Block b = block_, a = optional_ ? Block::Union(block_, extra_) : block_;
    block_ = Block{};
    if (optional_) extra_ = Block{};
    optional_ = false;
    // A G10 sets what it sets even after a block delete: a missed warning costs less than a false one.
    if (a.sets_data) TakeSets(a);
    // G66.1 and G67 count only in a block that is read: a macro statement or
    // a G10 block neither starts nor ends the modal call.
    const bool read = !a.unread && !a.sets_data;
    if (read && b.modal_call) in_modal_call_ = true;
    if (in_modal_call_) {
      if (read && b.modal_call_end) in_modal_call_ = false;
    } else if (!read) {
      // An H or D in a block that is not read: the last one is not known any more.
      if (a.h_words) last_h_ = kUnsure;
      if (a.d_words) last_d_ = kUnsure;
    } else {
      if (!b.macro_call) TakeOffsetUses(b, a);
      const int row = b.WorkOffsetRow();
      if (row != kAbsent) Use(NcWord::kWorkOffset, row, line_);
    }
    if (a.ends_program) in_subprograms_ = true;
    tools_.clear();
    ++block_index_;
  }

  // T, and H and D with their compensation codes: the block's own word, or
  // the last one of an earlier block (they are modal), at that block's line.
  void TakeOffsetUses(const Block& b, const Block& a) {
    for (int t : tools_)
      if (t > 0) Use(NcWord::kTool, t, line_);
    const bool h_sure = a.h_words == b.h_words, d_sure = a.d_words == b.d_words;
    if (b.length_offset && (b.h_words || h_sure)) {
      const int h = b.h_words ? b.length : last_h_;
      if (h > 0) Use(NcWord::kLength, h, b.h_words ? line_ : last_h_line_);
    }
    if (b.radius_offset && (b.d_words || d_sure)) {
      const int d = b.d_words ? b.radius : last_d_;
      if (d > 0) Use(NcWord::kRadius, d, b.d_words ? line_ : last_d_line_);
    }
    if (!h_sure) {
      last_h_ = kUnsure;
    } else if (b.h_words) {
      last_h_ = b.length;
      last_h_line_ = line_;
    }
    if (!d_sure) {
      last_d_ = kUnsure;
    } else if (b.d_words) {
      last_d_ = b.radius;
      last_d_line_ = line_;
    }
  }

  // Whether a block holds any address outside its comments.
  static bool HoldsAddress(const char* p, const char* end) {
    for (; p < end; ++p) {
      if (*p == '(') {
        while (p < end && *p != ')') ++p;
        if (p == end) break;
      } else if (IsLetter(*p) || *p == '#') {
        return true;
      }
    }
    return false;
  }

  void Use(NcWord word, int number, int line) {
    if (seen_.insert(Key(word, number)).second) uses_.push_back({{word, number, line}, block_index_});
  }

  static bool LooksLikeUtf16(std::string_view s) {
    if (s.size() >= 2 && ((s[0] == '\xFF' && s[1] == '\xFE') || (s[0] == '\xFE' && s[1] == '\xFF'))) return true;
    const size_t pairs = std::min<size_t>(s.size(), 1024) / 2;
    size_t even = 0, odd = 0;
    for (size_t i = 0; i < pairs; ++i) {
      even += s[2 * i] == '\0';
      odd += s[2 * i + 1] == '\0';
    }
    return pairs > 0 && std::max(even, odd) * 4 >= pairs;
  }

  struct Timed {
    NcUse use;
    int64_t block;  // the block that uses it
  };

  bool read_tools_;
  const char* block_start_ = nullptr;
  Block block_;  // the words the block surely holds
  Block extra_;  // those after a block delete or a malformed comment
  bool optional_ = false;
  bool touched_ = false;  // the block holds a word that may change something
  bool words_ = false;    // the block holds words
  std::vector<int> tools_;
  int line_ = 1;
  int64_t block_index_ = 1;  // of the block being read
  int percent_lines_ = 0;
  int headers_ = 0;
  int64_t blocks_with_words_ = 0;
  bool in_subprograms_ = false;
  bool in_modal_call_ = false;
  bool readable_ = false;
  int last_h_ = kAbsent, last_d_ = kAbsent;
  int last_h_line_ = 0, last_d_line_ = 0;
  const char* computed_target_end_ = nullptr;
  const char* piece_end_ = nullptr;
  uint64_t masks_[kMaskedRun / 64];  // the bytes of a run of the piece that may matter
  bool started_ = false;
  std::string head_;
  bool computed_target_any_ = false;
  std::unordered_set<uint64_t> seen_;
  std::vector<Timed> uses_;
  std::unordered_map<uint64_t, int64_t> sets_;  // the first block that sets it (kWholeFile: all)
  std::array<int64_t, kGroups> all_set_;
};

// Where the text's last whole line ends: after its last LF, or after its last
// CR that is not the text's last byte (a CR there may be the first of a CR LF).
size_t AfterLastLineEnd(std::string_view text) {
  for (size_t i = text.size(); i > 0; --i)
    if (text[i - 1] == '\n' || (text[i - 1] == '\r' && i < text.size())) return i;
  return 0;
}

}  // namespace

NcReading ReadNcProgram(std::string_view program, bool read_tool_words) {
  Reader reader(read_tool_words);
  reader.Take(program);
  return reader.Finish();
}

std::optional<NcReading> ReadNcFile(std::wstring_view path, bool read_tool_words, size_t piece) {
  platform::FileReading file(path);
  if (!file.open()) return std::nullopt;
  // Read in pieces that stay in the processor's cache while they are read,
  // each cut after its last line end (a line longer than the buffer grows it).
  Reader reader(read_tool_words);
  std::string buffer(std::max<size_t>(std::min(file.size() + 1, piece), 1), '\0');
  size_t kept = 0;  // the start of a line that the last piece did not finish
  for (;;) {
    if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
    const long long n = file.Read(buffer.data() + kept, buffer.size() - kept);
    if (n < 0) return std::nullopt;
    const size_t have = kept + static_cast<size_t>(n);
    const size_t cut = n == 0 ? have : AfterLastLineEnd(std::string_view(buffer.data(), have));
    if (!reader.Take(std::string_view(buffer.data(), cut)) || n == 0) break;
    std::memmove(buffer.data(), buffer.data() + cut, have - cut);
    kept = have - cut;
  }
  return reader.Finish();
}

}  // namespace quenlo::nc_check
