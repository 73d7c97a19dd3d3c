#include "export/sheet/sheet_data.h"

#include <unordered_map>
#include <unordered_set>

#include "common/numbers.h"
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

void AppendJsonString(PageText& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  size_t plain = 0;  // the start of the run of characters that go as they are
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&') continue;
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

// The reader of the block: JSON as this writer makes it, read straight into
// the data (members in any order; anything else is no block).
class BlockReader {
 public:
  explicit BlockReader(std::string_view text) : s_(text) {}

  bool Read(SheetData& data) {
    bool format = false;
    const bool ok = Members([&](std::string_view key) {
      if (key == "format") {
        std::string f;
        return String(f) && (format = f == kFormat);
      }
      if (key == "tools") return Items([&] { return Tool(data.tools.emplace_back()); });
      if (key == "offsets") return Items([&] { return Offset(data.offsets.emplace_back()); });
      return false;
    });
    Blanks();
    return ok && format && at_ == s_.size();
  }

 private:
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
};

std::string Arrow(const std::string& before, const std::string& now) {
  return (before.empty() ? "-" : before) + " → " + (now.empty() ? "-" : now);
}

}  // namespace

void AppendDataBlock(PageText& out, const SheetData& data) {
  out += kOpen;
  out += "\n{\"format\":\"";
  out += kFormat;
  out += "\",\n\"tools\":[";
  for (size_t n = 0; n < data.tools.size(); ++n) {
    const ToolData& tool = data.tools[n];
    out += n ? ",\n{\"t\":" : "\n{\"t\":";
    out.PutD(tool.number);
    for (size_t i = 0; i < kToolValues; ++i) {
      out += ",\"";
      out += kToolValueNames[i].key;
      out += "\":";
      AppendJsonString(out, tool.values[i]);
    }
    out += '}';
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

std::optional<SheetData> ReadDataBlock(std::string_view page) {
  // The block stands near the end of the page.
  const size_t open = page.rfind(kOpen);
  if (open == std::string_view::npos) return std::nullopt;
  const size_t start = open + sizeof kOpen - 1;
  const size_t close = page.find(kClose, start);
  if (close == std::string_view::npos) return std::nullopt;
  SheetData data;
  if (!BlockReader(page.substr(start, close - start)).Read(data)) return std::nullopt;
  return data;
}

bool HoldsDataBlock(std::string_view page) { return page.rfind(kOpen) != std::string_view::npos; }

std::vector<std::string> Changes(const SheetData& before, const SheetData& now) {
  std::vector<std::string> lines;
  std::unordered_map<int, const ToolData*> old_tools;
  old_tools.reserve(before.tools.size());
  for (const ToolData& t : before.tools) old_tools.emplace(t.number, &t);
  std::unordered_set<int> tools_now;
  tools_now.reserve(now.tools.size());
  for (const ToolData& t : now.tools) {
    tools_now.insert(t.number);
    auto it = old_tools.find(t.number);
    if (it == old_tools.end()) {
      lines.push_back("T" + FormatD(t.number) + " 追加");
      continue;
    }
    for (size_t i = 0; i < kToolValues; ++i)
      if (it->second->values[i] != t.values[i])
        lines.push_back("T" + FormatD(t.number) + " " + Utf8(kToolValueNames[i].label) + " " +
                        Arrow(it->second->values[i], t.values[i]));
  }
  for (const ToolData& t : before.tools)
    if (!tools_now.count(t.number)) lines.push_back("T" + FormatD(t.number) + " 削除");

  std::unordered_map<int, const OffsetData*> old_rows;
  for (const OffsetData& o : before.offsets) old_rows.emplace(o.row, &o);
  std::unordered_set<int> rows_now;
  for (const OffsetData& o : now.offsets) {
    rows_now.insert(o.row);
    auto it = old_rows.find(o.row);
    if (it == old_rows.end()) {
      lines.push_back(o.code + " 新たに使用");
      continue;
    }
    for (size_t i = 0; i < kAxes; ++i)
      if (it->second->values[i] != o.values[i])
        lines.push_back(o.code + " " + Utf8(kAxisNames[i]) + " " + Arrow(it->second->values[i], o.values[i]));
  }
  for (const OffsetData& o : before.offsets)
    if (!rows_now.count(o.row)) lines.push_back(o.code + " 使用なし");
  return lines;
}

}  // namespace quenlo::sheet
