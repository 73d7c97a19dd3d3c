// The project file as the stand-in simulator reads it: the files it names and
// the settings the simulator would take from it (ANSI text, CR LF or LF).
#pragma once

#include <string>
#include <vector>

namespace tarvik {

struct NamedFile {
  std::string key;    // ".ncdfile", ".tolfiles1", ".mchfile", ".wrkfile", ".wrkjig.path"
  std::string path;   // ANSI bytes, as written between the quotes
};

struct Setting {
  std::string name;                  // what the simulator calls it
  std::vector<std::string> numbers;  // as written
};

struct Project {
  std::vector<NamedFile> files;
  std::string stock_kind;            // ".setting.workform" word, empty when absent
  std::vector<Setting> settings;     // stock, origins, axis positions, in file order
  std::vector<Setting> work_offsets; // ".setting.WORK5SYS[0] n" blocks, named EXOFS, G54 ...
};

// False with `error` ("line N: ...") when a line the simulator relies on does
// not read: a path line without its quoted path, a setting without its numbers,
// a work-offset header or stock definition without its value line.
bool ReadProject(const std::string& bytes, Project& project, std::string& error);

// The name of work offset n (1 EXOFS, 2..7 G54..G59, 8..307 G54.1 P1..P300, 308..315 G54.2 P01..P08).
std::string WorkOffsetName(int n);

}  // namespace tarvik
