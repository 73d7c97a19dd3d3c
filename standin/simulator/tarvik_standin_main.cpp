// tarvik-standin -prjf "PROJECT"
//
// A stand-in for the Tarvik simulator, for tests and the demo. Started as the
// simulator, it appends its command line to a log, reads the project file and
// the files the project names, and prints what it would load: tools, D and H
// values, holders, stock, origins, offsets. The same report goes to the log.
//
// Log: the file named by the environment variable TARVIK_STANDIN_LOG, or else
// "tarvik-standin.log" in the project file's folder (UTF-8, appended).
// Exit status: 0 when everything loaded, 1 when the project or a file it names
// is missing or malformed, 2 for a command line other than -prjf PATH.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "project_reader.h"
#include "tool_file_reader.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarvik {
namespace {

using quenlo::platform::FromAnsi;
using quenlo::platform::ToUtf8;

class Report {
 public:
  void Line(const std::string& text) { text_ += text + "\n"; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::string Join(const std::vector<std::string>& pieces) {
  std::string out;
  for (const std::string& p : pieces) out += (out.empty() ? "" : " ") + p;
  return out;
}

std::string Utf8(const std::string& ansi) { return ToUtf8(FromAnsi(ansi)); }

std::wstring LogPath(const std::wstring& project) {
#ifdef _WIN32
  wchar_t buffer[32768];
  DWORD n = GetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", buffer, 32768);
  if (n > 0 && n < 32768) return std::wstring(buffer, n);
  size_t cut = project.find_last_of(L"\\/");
#else
  if (const char* env = std::getenv("TARVIK_STANDIN_LOG"); env && *env) return quenlo::platform::FromUtf8(env);
  size_t cut = project.find_last_of(L'/');
#endif
  return (cut == std::wstring::npos ? std::wstring() : project.substr(0, cut + 1)) + L"tarvik-standin.log";
}

// Appended in one write with the file opened for appending, so that several
// simulators started at once each add their whole entry and lose none.
void AppendLog(const std::wstring& path, const std::string& text) {
#ifdef _WIN32
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
#else
  int fd = ::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return;
  for (size_t done = 0; done < text.size();) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  ::close(fd);
#endif
}

// A file the project names: it must be there (an empty path names nothing).
bool CheckNamed(const NamedFile& file, const char* what, Report& report, std::string& error) {
  if (file.path.empty()) {
    report.Line(std::string(what) + ": (none)");
    return true;
  }
  std::wstring path = FromAnsi(file.path);
  if (quenlo::platform::GetPathKind(path) != quenlo::platform::PathKind::kFile) {
    error = std::string(what) + " not found: " + ToUtf8(path);
    return false;
  }
  report.Line(std::string(what) + ": " + ToUtf8(path));
  return true;
}

// An STL file: binary (80-byte header, count, 50 bytes a triangle) or ASCII.
bool CheckStl(const std::wstring& path, Report& report, std::string& error) {
  std::string bytes;
  if (!quenlo::platform::ReadWholeFile(path, bytes)) {
    error = "stock solid not found: " + ToUtf8(path);
    return false;
  }
  if (bytes.size() >= 84) {
    unsigned long count = 0;
    for (int b = 3; b >= 0; --b) count = count * 256 + static_cast<unsigned char>(bytes[80 + b]);
    if (bytes.size() == 84 + 50 * static_cast<unsigned long long>(count)) {
      report.Line("stock solid: " + ToUtf8(path) + " (binary STL, " + std::to_string(count) + " triangles)");
      return true;
    }
  }
  if (bytes.compare(0, 5, "solid") == 0 && bytes.find("endsolid") != std::string::npos) {
    size_t count = 0;
    for (size_t at = bytes.find("facet"); at != std::string::npos; at = bytes.find("facet", at + 5))
      if (bytes.compare(at > 3 ? at - 3 : at, 3, "end") != 0) ++count;
    report.Line("stock solid: " + ToUtf8(path) + " (ASCII STL, " + std::to_string(count) + " triangles)");
    return true;
  }
  error = "stock solid is not an STL file: " + ToUtf8(path);
  return false;
}

bool LoadTools(const std::wstring& path, Report& report, std::string& error) {
  std::string bytes;
  if (!quenlo::platform::ReadWholeFile(path, bytes)) {
    error = "tool file cannot be read: " + ToUtf8(path);
    return false;
  }
  ToolFile tools;
  std::string why;
  if (!ReadToolFile(bytes, tools, why)) {
    error = "tool file " + ToUtf8(path) + ": " + why;
    return false;
  }
  report.Line("tools: " + std::to_string(tools.tools.size()));
  for (const ToolRecord& t : tools.tools)
    report.Line("  T" + std::to_string(t.number) + " " + t.kind + " length " + t.length + " cycle " +
                std::to_string(t.cycle) + " holder /" + std::to_string(t.holder) + " profile [" +
                Join(t.profile) + "] comment \"" + Utf8(t.comment) + "\"");
  for (const OffsetValue& d : tools.d_values) report.Line("  D" + std::to_string(d.number) + " " + d.value);
  for (const OffsetValue& h : tools.h_values) report.Line("  H" + std::to_string(h.number) + " " + h.value);
  report.Line("holders: " + std::to_string(tools.holders.size()));
  for (const HolderLine& h : tools.holders)
    report.Line("  /" + std::to_string(h.index) + " " + h.kind + " [" + Join(h.numbers) + "]");
  return true;
}

bool Load(const std::wstring& project_path, Report& report, std::string& error) {
  std::string bytes;
  if (quenlo::platform::GetPathKind(project_path) != quenlo::platform::PathKind::kFile ||
      !quenlo::platform::ReadWholeFile(project_path, bytes)) {
    error = "project file not found: " + ToUtf8(project_path);
    return false;
  }
  Project project;
  std::string why;
  if (!ReadProject(bytes, project, why)) {
    error = "project file " + ToUtf8(project_path) + ": " + why;
    return false;
  }
  report.Line("project: " + ToUtf8(project_path));
  bool has_nc = false;
  for (const NamedFile& f : project.files) {
    if (f.key == ".ncdfile") {
      if (has_nc && f.path == project.files.front().path) continue;  // .ncdfile and .ncdfile1 name one file
      has_nc = true;
      if (!CheckNamed(f, "nc file", report, error)) return false;
    } else if (f.key == ".tolfiles1") {
      if (!CheckNamed(f, "tool file", report, error)) return false;
      if (!f.path.empty() && !LoadTools(FromAnsi(f.path), report, error)) return false;
    } else if (f.key == ".mchfile") {
      if (!CheckNamed(f, "machine", report, error)) return false;
    } else if (f.key == ".wrkfile") {
      if (!CheckNamed(f, "stock file", report, error)) return false;
    } else if (f.key == ".wrkjig.path" && !f.path.empty()) {
      bool stl = f.path.size() >= 4 && (f.path.compare(f.path.size() - 4, 4, ".stl") == 0 ||
                                        f.path.compare(f.path.size() - 4, 4, ".STL") == 0);
      if (stl) {
        if (!CheckStl(FromAnsi(f.path), report, error)) return false;
      } else if (!CheckNamed(f, "stock shape file", report, error)) {
        return false;
      }
    }
  }
  if (!has_nc) {
    error = "project file " + ToUtf8(project_path) + " names no NC file (.ncdfile)";
    return false;
  }
  report.Line("stock: " + (project.stock_kind.empty() ? std::string("(as the project template has it)")
                                                       : project.stock_kind));
  for (const Setting& s : project.settings) report.Line(s.name + ": " + Join(s.numbers));
  size_t set = 0;
  for (const Setting& w : project.work_offsets) {
    bool zero = true;
    for (const std::string& n : w.numbers) zero = zero && quenlo::ParseLeadingDouble(n) == 0;
    if (zero) continue;
    ++set;
    report.Line("work offset " + w.name + ": " + Join(w.numbers));
  }
  report.Line("work offsets: " + std::to_string(project.work_offsets.size()) + " in the project, " +
              std::to_string(set) + " not zero");
  return true;
}

}  // namespace

int Main(const std::wstring& command_line, const std::vector<std::wstring>& args) {
  std::string log = "tarvik-standin started\ncommand line: " + ToUtf8(command_line) + "\n";
  for (size_t i = 1; i < args.size(); ++i) log += "argument " + std::to_string(i) + ": " + ToUtf8(args[i]) + "\n";
  if (args.size() != 3 || args[1] != L"-prjf") {
    log += "error: expected the command line -prjf \"PROJECT\"\n";
    std::fputs(log.c_str(), stderr);
    return 2;
  }
  const std::wstring& project = args[2];
  Report report;
  std::string error;
  bool ok = Load(project, report, error);
  log += report.text() + (ok ? "loaded\n" : "error: " + error + "\n");
  // Printed before the log is written, so that whoever waits for the log sees
  // the printed report complete.
  std::fputs(log.c_str(), ok ? stdout : stderr);
  std::fflush(ok ? stdout : stderr);
  AppendLog(LogPath(project), log);
  return ok ? 0 : 1;
}

}  // namespace tarvik

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  // The report is UTF-8 with line feeds, as on POSIX.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::wstring> args(argv, argv + argc);
  return tarvik::Main(GetCommandLineW(), args);
}
#else
int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  std::wstring line;
  for (int i = 0; i < argc; ++i) {
    args.push_back(quenlo::platform::FromUtf8(argv[i]));
    bool quote = args.back().find(L' ') != std::wstring::npos || args.back().empty();
    line += (i ? L" " : L"") + (quote ? L"\"" + args.back() + L"\"" : args.back());
  }
  return tarvik::Main(line, args);
}
#endif
