#include "export/sheet/sheet_data.h"

#include <array>

#include "common/numbers.h"
#include "export/sheet/by_number.h"
#include "export/sheet/sheet_text.h"

namespace quenlo::sheet {

const ValueName kToolValueNames[kToolValues] = {
    {"name", L"名称"},     {"kind", L"種類"},   {"length", L"全長"},  {"projection", L"ホルダー下の長さ"},
    {"diameter", L"径"},   {"d", L"D番号"},     {"radius", L"D値"},   {"h", L"H番号"},
    {"h_length", L"H値"},  {"holder", L"ホルダー"},
};
const wchar_t* const kAxisNames[kAxes] = {L"X", L"Y", L"Z", L"A", L"B", L"C", L"U", L"V", L"W"};

namespace {

constexpr char kOpen[] = "<script type=\"application/json\" id=\"setup-data\">";
constexpr char kClose[] = "</script>";
constexpr char kFormat[] = "quenlo-setup-sheet/1";

// The bytes a JSON string of the block escapes, one look-up a byte: controls,
// the quote and backslash, and what could end the element the block is in.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> set{};
  for (int c = 0; c < 0x20; ++c) set[static_cast<size_t>(c)] = true;
  for (unsigned char c : {'"', '\\', '<', '>', '&'}) set[c] = true;
  return set;
}();

void AppendJsonString(PageText& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  size_t plain = 0;  // the start of the run of characters that go as they are
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!kEscaped[c]) continue;
    out.Put(text.data() + plain, i - plain);
    plain = i + 1;
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  out.Put(text.data() + plain, text.size() - plain);
  out += '"';
}

// A tool's entry as the block of the data now writes it.
struct KnownEntry {
  std::string_view text;
  const ToolData* tool;
};

// A tool of the block read: the tool now whose entry it repeats, or the one
// read into the data at `index`.
struct OldTool {
  const ToolData* same = nullptr;
  size_t index = 0;
};

// The reader of the block: JSON as this writer makes it, read straight into
// the data (members in any order; anything else is no block). With `known`,
// an entry that is written exactly as a known one is taken as that tool.
class BlockReader {
 public:
  explicit BlockReader(std::string_view text, const ByNumber<KnownEntry>* known = nullptr)
      : s_(text), known_(known) {}

  // `order`, when given, receives the tools in the block's order.
  bool Read(SheetData& data, std::vector<OldTool>* order = nullptr) {
    bool format = false;
    const bool ok = Members([&](std::string_view key) {
      if (key == "format") {
        std::string f;
        return String(f) && (format = f == kFormat);
      }
      if (key == "tools") return Items([&] {
        if (const ToolData* same = Known()) {
          if (order) order->push_back({same, 0});
          return true;
        }
        if (order) order->push_back({nullptr, data.tools.size()});
        return Tool(data.tools.emplace_back());
      });
      if (key == "offsets") return Items([&] { return Offset(data.offsets.emplace_back()); });
      return false;
    });
    Blanks();
    return ok && format && at_ == s_.size();
  }

 private:
  // The known tool whose entry stands at the read position, passed over.
  const ToolData* Known() {
    constexpr std::string_view kStart = "{\"t\":";
    if (!known_) return nullptr;
    Blanks();
    if (s_.substr(at_, kStart.size()) != kStart) return nullptr;
    size_t end = at_ + kStart.size();
    if (end < s_.size() && s_[end] == '-') ++end;
    while (end < s_.size() && s_[end] >= '0' && s_[end] <= '9') ++end;
    const int number = ParseLeadingInt(s_.substr(at_ + kStart.size(), end - at_ - kStart.size()));
    const KnownEntry* same = nullptr;
    known_->ForEach(number, [&](const KnownEntry& entry) {
      if (!same && s_.substr(at_, entry.text.size()) == entry.text) same = &entry;
    });
    if (!same) return nullptr;
    at_ += same->text.size();
    return same->tool;
  }

  bool Tool(ToolData& tool) {
    unsigned seen = 0;
    const bool ok = Members([&](std::string_view key) {
      if (key == "t") return (seen |= 1u << kToolValues, Integer(tool.number));
      for (size_t i = 0; i < kToolValues; ++i)
        if (key == kToolValueNames[i].key) return (seen |= 1u << i, String(tool.values[i]));
      return false;
    });
    return ok && seen == (2u << kToolValues) - 1;
  }

  bool Offset(OffsetData& offset) {
    unsigned seen = 0;
    const bool ok = Members([&](std::string_view key) {
      if (key == "row") return (seen |= 1, Integer(offset.row));
      if (key == "code") return (seen |= 2, String(offset.code));
      if (key != "values") return false;
      seen |= 4;
      size_t n = 0;
      return Items([&] { return n < kAxes && String(offset.values[n++]); }) && n == kAxes;
    });
    return ok && seen == 7;
  }

  void Blanks() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\n' || s_[at_] == '\r' || s_[at_] == '\t')) ++at_;
  }
  bool Take(char c) {
    Blanks();
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  // {"key": value, ...}: `member` reads the value of each key.
  template <typename Member>
  bool Members(Member member) {
    if (!Take('{')) return false;
    if (Take('}')) return true;
    std::string key;
    do {
      key.clear();
      if (!String(key) || !Take(':') || !member(std::string_view(key))) return false;
    } while (Take(','));
    return Take('}');
  }

  // [item, ...]
  template <typename Item>
  bool Items(Item item) {
    if (!Take('[')) return false;
    if (Take(']')) return true;
    do {
      if (!item()) return false;
    } while (Take(','));
    return Take(']');
  }

  bool Integer(int& value) {
    Blanks();
    const bool minus = at_ < s_.size() && s_[at_] == '-';
    if (minus) ++at_;
    long long v = 0;
    int digits = 0;
    for (; at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9'; ++at_)
      if (++digits <= 10) v = v * 10 + (s_[at_] - '0');
    if (digits == 0 || digits > 10 || v > 2147483647) return false;
    value = static_cast<int>(minus ? -v : v);
    return true;
  }

  bool Hex4(uint32_t& code) {
    if (s_.size() - at_ < 4) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = s_[at_++];
      code <<= 4;
      if (h >= '0' && h <= '9') code |= static_cast<uint32_t>(h - '0');
      else if ((h | 0x20) >= 'a' && (h | 0x20) <= 'f') code |= static_cast<uint32_t>((h | 0x20) - 'a' + 10);
      else return false;
    }
    return true;
  }

  bool String(std::string& out) {
    if (!Take('"')) return false;
    while (at_ < s_.size()) {
      // A run of plain characters at once.
      const size_t run = at_;
      while (at_ < s_.size() && s_[at_] != '"' && s_[at_] != '\\') ++at_;
      out.append(s_.data() + run, at_ - run);
      if (at_ >= s_.size()) return false;
      if (s_[at_++] == '"') return true;
      if (at_ >= s_.size()) return false;
      const char e = s_[at_++];
      switch (e) {
        case '"': case '\\': case '/': out += e; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          uint32_t code = 0;
          if (!Hex4(code)) return false;
          if (code >= 0xD800 && code <= 0xDBFF && s_.substr(at_, 2) == "\\u") {
            at_ += 2;
            uint32_t low = 0;
            if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          std::wstring w;
          if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
            w += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            w += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
          } else {
            w += static_cast<wchar_t>(code);
          }
          out += Utf8(w);
          break;
        }
        default: return false;
      }
    }
    return false;
  }

  std::string_view s_;
  size_t at_ = 0;
  const ByNumber<KnownEntry>* known_;
};

std::string Arrow(const std::string& before, const std::string& now) {
  return (before.empty() ? "-" : before) + " → " + (now.empty() ? "-" : now);
}

}  // namespace

void AppendDataBlock(PageText& out, const SheetData& data, std::vector<std::pair<size_t, size_t>>* tool_entries) {
  out += kOpen;
  out += "\n{\"format\":\"";
  out += kFormat;
  out += "\",\n\"tools\":[";
  for (size_t n = 0; n < data.tools.size(); ++n) {
    const ToolData& tool = data.tools[n];
    out += n ? ",\n" : "\n";
    const size_t start = out.size();
    out += "{\"t\":";
    out.PutD(tool.number);
    for (size_t i = 0; i < kToolValues; ++i) {
      out += ",\"";
      out += kToolValueNames[i].key;
      out += "\":";
      AppendJsonString(out, tool.values[i]);
    }
    out += '}';
    if (tool_entries) tool_entries->emplace_back(start, out.size() - start);
  }
  out += "],\n\"offsets\":[";
  for (size_t n = 0; n < data.offsets.size(); ++n) {
    const OffsetData& offset = data.offsets[n];
    out += n ? ",\n{\"row\":" : "\n{\"row\":";
    out.PutD(offset.row);
    out += ",\"code\":";
    AppendJsonString(out, offset.code);
    out += ",\"values\":[";
    for (size_t i = 0; i < kAxes; ++i) {
      if (i) out += ',';
      AppendJsonString(out, offset.values[i]);
    }
    out += "]}";
  }
  out += "]}\n";
  out += kClose;
  out += '\n';
}

namespace {

// The last place of the block's opening tag in `page`. (A string_view's
// rfind compares the whole tag at every place from the end: a tenth of the
// page's making, with a block of some hundred kilobytes before the tag.)
size_t FindOpen(std::string_view page) {
  constexpr std::string_view open = kOpen;
  for (size_t at = page.size() >= open.size() ? page.size() - open.size() + 1 : 0; at-- > 0;)
    if (page[at] == '<' && page.compare(at, open.size(), open) == 0) return at;
  return std::string_view::npos;
}

// The block's text inside a page: the block stands near the end of the page.
std::optional<std::string_view> BlockText(std::string_view page) {
  const size_t open = FindOpen(page);
  if (open == std::string_view::npos) return std::nullopt;
  const size_t start = open + sizeof kOpen - 1;
  const size_t close = page.find(kClose, start);
  if (close == std::string_view::npos) return std::nullopt;
  return page.substr(start, close - start);
}

}  // namespace

std::optional<SheetData> ReadDataBlock(std::string_view page) {
  const std::optional<std::string_view> text = BlockText(page);
  SheetData data;
  if (!text || !BlockReader(*text).Read(data)) return std::nullopt;
  return data;
}

bool HoldsDataBlock(std::string_view page) { return FindOpen(page) != std::string_view::npos; }

namespace {

// Changes, the tools before given as they were read; `marked`, when given,
// receives the numbers of the tools added or changed.
std::vector<std::string> ChangesOf(const std::vector<const ToolData*>& before_tools,
                                   const std::vector<OffsetData>& before_offsets, const SheetData& now,
                                   std::vector<int>* marked = nullptr) {
  std::vector<std::string> lines;
  ByNumber<const ToolData*> old_tools;
  old_tools.Reserve(before_tools.size());
  for (const ToolData* t : before_tools) old_tools.Add(t->number, t);
  old_tools.Sort();
  ByNumber<bool> tools_now;
  tools_now.Reserve(now.tools.size());
  for (const ToolData& t : now.tools) tools_now.Add(t.number, true);
  tools_now.Sort();
  for (const ToolData& t : now.tools) {
    const ToolData* const* old = old_tools.Find(t.number);
    if (!old) {
      lines.push_back("T" + FormatD(t.number) + " 追加");
      if (marked) marked->push_back(t.number);
      continue;
    }
    if (*old == &t) continue;  // the same entry
    bool changed = false;
    for (size_t i = 0; i < kToolValues; ++i)
      if ((*old)->values[i] != t.values[i]) {
        changed = true;
        lines.push_back("T" + FormatD(t.number) + " " + Utf8(kToolValueNames[i].label) + " " +
                        Arrow((*old)->values[i], t.values[i]));
      }
    if (changed && marked) marked->push_back(t.number);
  }
  for (const ToolData* t : before_tools)
    if (!tools_now.Find(t->number)) lines.push_back("T" + FormatD(t->number) + " 削除");

  ByNumber<const OffsetData*> old_rows;
  for (const OffsetData& o : before_offsets) old_rows.Add(o.row, &o);
  old_rows.Sort();
  ByNumber<bool> rows_now;
  for (const OffsetData& o : now.offsets) rows_now.Add(o.row, true);
  rows_now.Sort();
  for (const OffsetData& o : now.offsets) {
    const OffsetData* const* old = old_rows.Find(o.row);
    if (!old) {
      lines.push_back(o.code + " 新たに使用");
      continue;
    }
    for (size_t i = 0; i < kAxes; ++i)
      if ((*old)->values[i] != o.values[i])
        lines.push_back(o.code + " " + Utf8(kAxisNames[i]) + " " + Arrow((*old)->values[i], o.values[i]));
  }
  for (const OffsetData& o : before_offsets)
    if (!rows_now.Find(o.row)) lines.push_back(o.code + " 使用なし");
  return lines;
}

}  // namespace

std::vector<std::string> Changes(const SheetData& before, const SheetData& now) {
  std::vector<const ToolData*> before_tools;
  before_tools.reserve(before.tools.size());
  for (const ToolData& t : before.tools) before_tools.push_back(&t);
  return ChangesOf(before_tools, before.offsets, now);
}

std::optional<Comparison> CompareWithPrevious(std::string_view previous_page, const SheetData& now,
                                              std::string_view written,
                                              const std::vector<std::pair<size_t, size_t>>& tool_entries) {
  const std::optional<std::string_view> text = BlockText(previous_page);
  if (!text) return std::nullopt;
  ByNumber<KnownEntry> known;
  known.Reserve(now.tools.size());
  for (size_t i = 0; i < now.tools.size() && i < tool_entries.size(); ++i)
    known.Add(now.tools[i].number, {written.substr(tool_entries[i].first, tool_entries[i].second), &now.tools[i]});
  known.Sort();
  SheetData read;
  std::vector<OldTool> order;
  order.reserve(now.tools.size());
  if (!BlockReader(*text, &known).Read(read, &order)) return std::nullopt;
  std::vector<const ToolData*> before_tools;
  before_tools.reserve(order.size());
  for (const OldTool& t : order) before_tools.push_back(t.same ? t.same : &read.tools[t.index]);

  Comparison result;
  result.changes = ChangesOf(before_tools, read.offsets, now, &result.marked);
  std::sort(result.marked.begin(), result.marked.end());
  result.marked.erase(std::unique(result.marked.begin(), result.marked.end()), result.marked.end());
  return result;
}

}  // namespace quenlo::sheet
