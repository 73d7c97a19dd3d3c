// Reading the stand-in host's job file. Every field is checked for its type; a
// bad file gives one message naming the file, the JSON path and what was
// expected.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

#include "job.h"
#include "platform/ansi.h"
#include "platform/files.h"

namespace standin {
namespace {

using nlohmann::json;
using quenlo::platform::FromUtf8;

// Walks the JSON with the path of each value, and remembers the first error.
class Reader {
 public:
  Reader(std::string file, std::wstring base_folder) : file_(std::move(file)), base_(std::move(base_folder)) {}

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  void Fail(const std::string& path, const std::string& expected) {
    if (error_.empty()) error_ = file_ + ": " + (path.empty() ? "/" : path) + ": expected " + expected;
  }

  const json* Member(const json& object, const std::string& path, const char* key, bool required) {
    if (!object.is_object()) {
      Fail(path, "an object");
      return nullptr;
    }
    auto it = object.find(key);
    if (it == object.end()) {
      if (required) Fail(path + "/" + key, std::string("a field \"") + key + "\"");
      return nullptr;
    }
    return &*it;
  }

  double Number(const json& object, const std::string& path, const char* key, double fallback,
                bool required = false) {
    const json* v = Member(object, path, key, required);
    if (!v) return fallback;
    if (!v->is_number()) {
      Fail(path + "/" + key, "a number");
      return fallback;
    }
    return v->get<double>();
  }

  long long Integer(const json& object, const std::string& path, const char* key, long long fallback,
                    long long low, long long high, bool required = false) {
    const json* v = Member(object, path, key, required);
    if (!v) return fallback;
    if (!v->is_number_integer() && !v->is_number_unsigned()) {
      Fail(path + "/" + key, "an integer");
      return fallback;
    }
    long long value = v->is_number_unsigned() && v->get<unsigned long long>() > 0x7fffffffffffffffULL
                          ? high + 1
                          : v->get<long long>();
    if (value < low || value > high) {
      Fail(path + "/" + key, "an integer from " + std::to_string(low) + " to " + std::to_string(high));
      return fallback;
    }
    return value;
  }

  bool Bool(const json& object, const std::string& path, const char* key, bool fallback) {
    const json* v = Member(object, path, key, false);
    if (!v) return fallback;
    if (v->is_boolean()) return v->get<bool>();
    if (v->is_number_integer()) return v->get<long long>() != 0;
    Fail(path + "/" + key, "true or false");
    return fallback;
  }

  std::wstring Text(const json& object, const std::string& path, const char* key, const std::wstring& fallback,
                    bool required = false) {
    const json* v = Member(object, path, key, required);
    if (!v) return fallback;
    if (!v->is_string()) {
      Fail(path + "/" + key, "a string");
      return fallback;
    }
    return FromUtf8(v->get<std::string>());
  }

  // A host-local path: a relative one resolves against the job file's folder.
  std::wstring LocalPath(const json& object, const std::string& path, const char* key, bool required = false) {
    std::wstring text = Text(object, path, key, L"", required);
    return Resolve(text);
  }

  std::wstring Resolve(const std::wstring& text) const {
    if (text.empty() || IsAbsolute(text)) return text;
    return base_ + text;
  }

  void Vector(const json& object, const std::string& path, const char* key, double* out, size_t min_count,
              size_t max_count, bool required = false) {
    if (const json* v = Member(object, path, key, required))
      VectorValue(*v, path + "/" + key, out, min_count, max_count);
  }

  void VectorValue(const json& v, const std::string& where, double* out, size_t min_count, size_t max_count) {
    if (!v.is_array() || v.size() < min_count || v.size() > max_count) {
      Fail(where, "an array of " + std::to_string(min_count) +
                      (min_count == max_count ? "" : " to " + std::to_string(max_count)) + " numbers");
      return;
    }
    for (size_t i = 0; i < v.size(); ++i) {
      if (!v[i].is_number()) {
        Fail(where + "/" + std::to_string(i), "a number");
        return;
      }
      out[i] = v[i].get<double>();
    }
  }

 private:
  static bool IsAbsolute(const std::wstring& p) {
    return p[0] == L'/' || p[0] == L'\\' || (p.size() >= 2 && p[1] == L':');
  }

  std::string file_;
  std::wstring base_;
  std::string error_;
};

constexpr long long kIntMin = std::numeric_limits<int>::min();
constexpr long long kIntMax = std::numeric_limits<int>::max();

Profile ReadProfile(Reader& r, const json& object, const std::string& path, const char* key) {
  Profile profile;
  const json* v = r.Member(object, path, key, false);
  if (!v || v->is_null()) return profile;  // the host reports no profile
  std::string where = path + "/" + key;
  if (!v->is_array()) {
    r.Fail(where, "an array of profile segments or null");
    return profile;
  }
  profile.present = true;
  for (size_t i = 0; i < v->size() && r.ok(); ++i) {
    const json& s = (*v)[i];
    std::string at = where + "/" + std::to_string(i);
    ProfileSegment seg;
    std::wstring kind = r.Text(s, at, "kind", L"", true);
    if (r.ok() && kind.size() != 1) r.Fail(at + "/kind", "one letter");
    if (!r.ok()) break;
    seg.kind = static_cast<char>(kind[0] < 0x80 ? kind[0] : '?');
    r.Vector(s, at, "start", seg.start, 2, 3);
    r.Vector(s, at, "end", seg.end, 2, 3);
    seg.radius = r.Number(s, at, "radius", 0);
    seg.direction = r.Number(s, at, "direction", 0);
    profile.segments.push_back(seg);
  }
  return profile;
}

void ReadSolid(Reader& r, const json& stock, const std::string& path, Solid& solid) {
  const json* v = r.Member(stock, path, "solid", false);
  if (!v || v->is_null()) return;
  std::string where = path + "/solid";
  if (!v->is_object()) {
    r.Fail(where, "an object with \"stl\", \"box\" or \"cylinder\"");
    return;
  }
  solid.failing_write = static_cast<int>(r.Integer(*v, where, "failing_write", 0, 0, kIntMax));
  if (v->contains("stl")) {
    solid.kind = Solid::Kind::kMesh;
    solid.stl_path = r.LocalPath(*v, where, "stl", true);
  } else if (v->contains("box")) {
    solid.kind = Solid::Kind::kBox;
    const json& box = (*v)["box"];
    r.Vector(box, where + "/box", "min", solid.min, 3, 3, true);
    r.Vector(box, where + "/box", "max", solid.max, 3, 3, true);
  } else if (v->contains("cylinder")) {
    solid.kind = Solid::Kind::kCylinder;
    const json& cyl = (*v)["cylinder"];
    std::string at = where + "/cylinder";
    r.Vector(cyl, at, "base", solid.base, 3, 3, true);
    r.Vector(cyl, at, "axis", solid.axis, 3, 3);
    solid.radius = r.Number(cyl, at, "radius", 0, true);
    solid.height = r.Number(cyl, at, "height", 0, true);
  } else {
    r.Fail(where, "one of \"stl\", \"box\" or \"cylinder\"");
  }
}

int ReadShape(Reader& r, const json& stock, const std::string& path) {
  const json* v = r.Member(stock, path, "shape", false);
  if (!v) return 0;
  if (v->is_string()) {
    std::string name = v->get<std::string>();
    if (name == "box") return 0;
    if (name == "bar") return 1;
    if (name == "solid") return 2;
    if (name == "file") return 3;
  } else if (v->is_number_integer()) {
    return static_cast<int>(r.Integer(stock, path, "shape", 0, kIntMin, kIntMax));
  }
  r.Fail(path + "/shape", "\"box\", \"bar\", \"solid\", \"file\" or an integer");
  return 0;
}

void ReadStock(Reader& r, const json& group, const std::string& path, Stock& stock) {
  const json* v = r.Member(group, path, "stock", false);
  if (!v) return;
  std::string where = path + "/stock";
  if (!v->is_object()) {
    r.Fail(where, "an object");
    return;
  }
  stock.shape = ReadShape(r, *v, where);
  r.Vector(*v, where, "size", stock.size, 3, 3);
  r.Vector(*v, where, "origin", stock.origin, 3, 3);
  stock.origin_code = static_cast<int>(r.Integer(*v, where, "origin_code", 0, -32768, 32767));
  ReadSolid(r, *v, where, stock.solid);
  stock.file = r.Text(*v, where, "file", L"");
}

void ReadOperation(Reader& r, const json& op, const std::string& path, Operation& out) {
  out.type = static_cast<short>(r.Integer(op, path, "type", 0, -32768, 32767, true));
  out.holder_number = static_cast<int>(r.Integer(op, path, "holder_number", 0, kIntMin, kIntMax));
  out.nc_name = r.Text(op, path, "nc_name", L"");
  const json* flag = r.Member(op, path, "names_nc", false);
  if (flag && flag->is_number_integer())
    out.names_nc = static_cast<unsigned char>(r.Integer(op, path, "names_nc", 0, 0, 255));
  else
    out.names_nc = r.Bool(op, path, "names_nc", false) ? 1 : 0;
  const json* tool = r.Member(op, path, "tool", true);
  if (!tool) return;
  std::string at = path + "/tool";
  tp_tool& t = out.tool;
  t.tool_number = static_cast<int>(r.Integer(*tool, at, "number", 0, kIntMin, kIntMax, true));
  t.tool_id = static_cast<int>(r.Integer(*tool, at, "id", 0, kIntMin, kIntMax, true));
  t.diameter = r.Number(*tool, at, "diameter", 0);
  t.corner_radius = r.Number(*tool, at, "corner_radius", 0);
  t.d_number = static_cast<int>(r.Integer(*tool, at, "d_number", 0, kIntMin, kIntMax));
  t.h_number = static_cast<int>(r.Integer(*tool, at, "h_number", 0, kIntMin, kIntMax));
  t.comment = r.Text(*tool, at, "comment", L"");
}

void ReadMachineGroup(Reader& r, const json& group, const std::string& path, MachineGroup& out) {
  if (!group.is_object()) {
    r.Fail(path, "an object or null");
    return;
  }
  if (const json* nc = r.Member(group, path, "nc", false)) {
    std::string at = path + "/nc";
    out.nc_file = r.Text(*nc, at, "file", L"");
    out.nc_prefix = r.Text(*nc, at, "prefix", L"");
    out.nc_suffix = r.Text(*nc, at, "suffix", L"");
  }
  ReadStock(r, group, path, out.stock);
  if (r.Member(group, path, "end_of_list_type", false))
    out.end_of_list_type = static_cast<short>(r.Integer(group, path, "end_of_list_type", 0, -32768, 32767));
  if (const json* ops = r.Member(group, path, "operations", false)) {
    if (!ops->is_array()) {
      r.Fail(path + "/operations", "an array of operations");
      return;
    }
    for (size_t i = 0; i < ops->size() && r.ok(); ++i) {
      Operation op;
      ReadOperation(r, (*ops)[i], path + "/operations/" + std::to_string(i), op);
      out.operations.push_back(op);
    }
  }
}

template <typename T, typename F>
void ReadArray(Reader& r, const json& object, const std::string& path, const char* key, std::vector<T>& out,
               F read_one) {
  const json* v = r.Member(object, path, key, false);
  if (!v) return;
  std::string where = path + "/" + key;
  if (!v->is_array()) {
    r.Fail(where, "an array");
    return;
  }
  for (size_t i = 0; i < v->size() && r.ok(); ++i) {
    T item;
    read_one((*v)[i], where + "/" + std::to_string(i), item);
    out.push_back(item);
  }
}

void ReadTools(Reader& r, const json& tools, const std::string& path, Job& job) {
  ReadArray(r, tools, path, "assemblies", job.assemblies, [&](const json& a, const std::string& at, Assembly& out) {
    out.id = static_cast<int>(r.Integer(a, at, "id", 0, kIntMin, kIntMax, true));
    out.type_code = static_cast<short>(r.Integer(a, at, "type_code", 0, -32768, 32767));
    out.size_s = r.Number(a, at, "size_s", 0);
    out.overall_length = r.Number(a, at, "overall_length", 0);
    out.holder_dia = r.Number(a, at, "holder_dia", 0);
    out.holder_length = r.Number(a, at, "holder_length", 0);
    out.projection = r.Number(a, at, "projection", 0);
    out.total_holder_length = r.Number(a, at, "total_holder_length", 0);
    out.profile = ReadProfile(r, a, at, "profile");
    out.holder_profile = ReadProfile(r, a, at, "holder_profile");
  });
  ReadArray(r, tools, path, "lathe_tools", job.lathe_tools, [&](const json& t, const std::string& at, LatheTool& out) {
    out.id = static_cast<int>(r.Integer(t, at, "id", 0, kIntMin, kIntMax, true));
    out.known = r.Bool(t, at, "known", true);
    out.in_tool_system = r.Bool(t, at, "in_tool_system", true);
    out.length = r.Number(t, at, "length", 0);
    out.insert_profile = ReadProfile(r, t, at, "insert_profile");
  });
  ReadArray(r, tools, path, "holders", job.holders, [&](const json& h, const std::string& at, Holder& out) {
    out.number = static_cast<int>(r.Integer(h, at, "number", 0, kIntMin, kIntMax, true));
    out.name = r.Text(h, at, "name", L"");
    out.by_number = r.Bool(h, at, "by_number", false);
    const json* levels = r.Member(h, at, "levels", false);
    if (!levels) return;
    if (!levels->is_array()) {
      r.Fail(at + "/levels", "an array of [diameter, value, length] levels");
      return;
    }
    for (size_t i = 0; i < levels->size() && r.ok(); ++i) {
      std::array<double, 3> level{0, 0, 0};
      r.VectorValue((*levels)[i], at + "/levels/" + std::to_string(i), level.data(), 3, 3);
      out.levels.push_back(level);
    }
  });
}

std::wstring FolderOf(const std::wstring& path) {
  size_t cut = path.find_last_of(L"/\\");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// "line L, column C" of the byte at 1-based offset `byte` (where the parser
// stopped; columns count bytes).
std::string LineAndColumn(const std::string& text, size_t byte) {
  size_t at = byte == 0 ? 0 : std::min(byte - 1, text.size());
  size_t line = 1, column = 1;
  for (size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

bool ParseJob(const std::string& json_text, const std::wstring& path, Job& job, JobError& error) {
  std::string file = quenlo::platform::ToUtf8(path);
  json root;
  try {
    root = json::parse(json_text);
  } catch (const json::parse_error& e) {
    error.message = file + ": /: expected a JSON document (the file is not valid JSON at " +
                    LineAndColumn(json_text, e.byte) + ")";
    return false;
  } catch (const json::exception&) {
    // The parser also throws out_of_range for a number beyond a double
    // ("1E999"); it carries no position.
    error.message = file + ": /: expected a JSON document (a number in the file is out of range)";
    return false;
  }
  Reader r(file, FolderOf(path));
  Job out;
  out.job_path = path;
  if (!root.is_object()) r.Fail("", "an object");
  if (r.ok()) {
    std::wstring format = r.Text(root, "", "format", L"", true);
    if (r.ok() && format != L"quenlo-job/1") r.Fail("/format", "\"quenlo-job/1\"");
  }
  if (r.ok()) {
    if (const json* host = r.Member(root, "", "host", false)) {
      out.user_folder = r.LocalPath(*host, "/host", "user_folder");
      out.addin_folder = r.LocalPath(*host, "/host", "addin_folder");
      out.metric = r.Bool(*host, "/host", "metric", true);
      out.function_panel = r.Bool(*host, "/host", "function_panel", true);
      out.operation_walk_throws = r.Bool(*host, "/host", "operation_walk_throws", false);
      out.code_page = static_cast<int>(r.Integer(*host, "/host", "code_page", 932, 1, 65535));
      if (r.ok() && !quenlo::platform::CanConvertCodePage(out.code_page))
        r.Fail("/host/code_page", "a code page that this platform converts (" + std::to_string(out.code_page) +
                                      " is not one)");
      out.registry = r.LocalPath(*host, "/host", "registry");
    }
  }
  if (r.ok()) {
    const json* group = r.Member(root, "", "machine_group", false);
    if (group && !group->is_null()) {
      MachineGroup g;
      ReadMachineGroup(r, *group, "/machine_group", g);
      out.machine_group = g;
    }
  }
  if (r.ok()) {
    if (const json* tools = r.Member(root, "", "tools", false)) ReadTools(r, *tools, "/tools", out);
  }
  if (!r.ok()) {
    error.message = r.error();
    return false;
  }
  job = std::move(out);
  return true;
}

bool LoadJobFile(const std::wstring& path, Job& job, JobError& error) {
  std::string text;
  if (!quenlo::platform::ReadWholeFile(path, text)) {
    error.message = quenlo::platform::ToUtf8(path) + ": cannot read the job file";
    return false;
  }
  return ParseJob(text, path, job, error);
}

}  // namespace standin
