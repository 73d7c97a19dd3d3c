#include "export/sheet/sheet_data.h"

#include <map>

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

void AppendJsonString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  out += '"';
}

// A small JSON reader for the block this writer makes: objects, arrays,
// strings, numbers (kept as text), true, false, null; nesting is limited.
struct Json {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = kNull;
  std::string text;  // kString (UTF-8), kNumber (as written)
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  const Json* Member(std::string_view key) const {
    for (const auto& [k, v] : members)
      if (k == key) return &v;
    return nullptr;
  }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : s_(text) {}

  bool ReadDocument(Json& out) {
    if (!Value(out, 0)) return false;
    Blanks();
    return at_ == s_.size();
  }

 private:
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
  bool Word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  bool Value(Json& v, int depth) {
    if (depth > 16) return false;
    Blanks();
    if (at_ >= s_.size()) return false;
    const char c = s_[at_];
    if (c == '{') return Object(v, depth);
    if (c == '[') return Array(v, depth);
    if (c == '"') {
      v.kind = Json::kString;
      return String(v.text);
    }
    if (Word("true") || Word("false")) {
      v.kind = Json::kBool;
      return true;
    }
    if (Word("null")) return true;
    const size_t start = at_;
    while (at_ < s_.size() && std::string_view("+-.0123456789eE").find(s_[at_]) != std::string_view::npos) ++at_;
    if (at_ == start) return false;
    v.kind = Json::kNumber;
    v.text = std::string(s_.substr(start, at_ - start));
    return true;
  }

  bool Object(Json& v, int depth) {
    v.kind = Json::kObject;
    ++at_;
    if (Take('}')) return true;
    do {
      std::string key;
      Blanks();
      if (at_ >= s_.size() || s_[at_] != '"' || !String(key) || !Take(':')) return false;
      v.members.emplace_back(std::move(key), Json{});
      if (!Value(v.members.back().second, depth + 1)) return false;
    } while (Take(','));
    return Take('}');
  }

  bool Array(Json& v, int depth) {
    v.kind = Json::kArray;
    ++at_;
    if (Take(']')) return true;
    do {
      v.items.emplace_back();
      if (!Value(v.items.back(), depth + 1)) return false;
    } while (Take(','));
    return Take(']');
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
    ++at_;  // the opening quote
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
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
          if (code >= 0xD800 && code <= 0xDBFF && Word("\\u")) {
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

bool ReadTool(const Json& j, ToolData& tool) {
  const Json* t = j.Member("t");
  if (!t || t->kind != Json::kNumber) return false;
  tool.number = ParseLeadingInt(t->text);
  for (size_t i = 0; i < kToolValues; ++i) {
    const Json* v = j.Member(kToolValueNames[i].key);
    if (!v || v->kind != Json::kString) return false;
    tool.values[i] = v->text;
  }
  return true;
}

bool ReadOffset(const Json& j, OffsetData& offset) {
  const Json *row = j.Member("row"), *code = j.Member("code"), *values = j.Member("values");
  if (!row || row->kind != Json::kNumber || !code || code->kind != Json::kString || !values ||
      values->kind != Json::kArray || values->items.size() != kAxes)
    return false;
  offset.row = ParseLeadingInt(row->text);
  offset.code = code->text;
  for (size_t i = 0; i < kAxes; ++i) {
    if (values->items[i].kind != Json::kString) return false;
    offset.values[i] = values->items[i].text;
  }
  return true;
}

std::string Arrow(const std::string& before, const std::string& now) {
  return (before.empty() ? "-" : before) + " → " + (now.empty() ? "-" : now);
}

}  // namespace

void AppendDataBlock(std::string& out, const SheetData& data) {
  out += kOpen;
  out += "\n{\"format\":\"";
  out += kFormat;
  out += "\",\n\"tools\":[";
  for (size_t n = 0; n < data.tools.size(); ++n) {
    const ToolData& tool = data.tools[n];
    out += n ? ",\n{\"t\":" : "\n{\"t\":";
    AppendD(out, tool.number);
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
    AppendD(out, offset.row);
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
  const size_t open = page.find(kOpen);
  if (open == std::string_view::npos) return std::nullopt;
  const size_t start = open + sizeof kOpen - 1;
  const size_t close = page.find(kClose, start);
  if (close == std::string_view::npos) return std::nullopt;
  Json root;
  if (!JsonReader(page.substr(start, close - start)).ReadDocument(root) || root.kind != Json::kObject)
    return std::nullopt;
  const Json *format = root.Member("format"), *tools = root.Member("tools"), *offsets = root.Member("offsets");
  if (!format || format->text != kFormat || !tools || tools->kind != Json::kArray || !offsets ||
      offsets->kind != Json::kArray)
    return std::nullopt;
  SheetData data;
  data.tools.resize(tools->items.size());
  for (size_t i = 0; i < tools->items.size(); ++i)
    if (!ReadTool(tools->items[i], data.tools[i])) return std::nullopt;
  data.offsets.resize(offsets->items.size());
  for (size_t i = 0; i < offsets->items.size(); ++i)
    if (!ReadOffset(offsets->items[i], data.offsets[i])) return std::nullopt;
  return data;
}

std::vector<std::string> Changes(const SheetData& before, const SheetData& now) {
  std::vector<std::string> lines;
  std::map<int, const ToolData*> old_tools;
  for (const ToolData& t : before.tools) old_tools.emplace(t.number, &t);
  std::map<int, bool> seen;
  for (const ToolData& t : now.tools) {
    const std::string name = "T" + FormatD(t.number);
    seen[t.number] = true;
    auto it = old_tools.find(t.number);
    if (it == old_tools.end()) {
      lines.push_back(name + " 追加");
      continue;
    }
    for (size_t i = 0; i < kToolValues; ++i)
      if (it->second->values[i] != t.values[i])
        lines.push_back(name + " " + Utf8(kToolValueNames[i].label) + " " + Arrow(it->second->values[i], t.values[i]));
  }
  for (const ToolData& t : before.tools)
    if (!seen.count(t.number)) lines.push_back("T" + FormatD(t.number) + " 削除");

  std::map<int, const OffsetData*> old_rows;
  for (const OffsetData& o : before.offsets) old_rows.emplace(o.row, &o);
  std::map<int, bool> rows_now;
  for (const OffsetData& o : now.offsets) {
    rows_now[o.row] = true;
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
