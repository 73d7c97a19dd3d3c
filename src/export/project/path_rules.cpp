// The five file paths of the project.
#include "export/project/rule_sets.h"
#include "export/project/rule_text.h"

namespace quenlo {
namespace {

// The key as matched, two blanks, and the path in double quotes, exactly as
// the settings hold it.
KeyRule PathRule(const char* key, const std::wstring& path) {
  return LineRule(key, std::string(key) + "  \"" + AnsiText(path) + "\"");
}

}  // namespace

void AppendPathRules(const LinkSettings& s, KeyRules& rules) {
  rules.push_back(PathRule(".ncdfile ", s.nc_file));
  rules.push_back(PathRule(".ncdfile1", s.nc_file));
  rules.push_back(PathRule(".tolfiles1 ", s.tol));
  rules.push_back(PathRule(".mchfile", s.mch));
  rules.push_back(PathRule(".wrkfile", s.wrk));
}

}  // namespace quenlo
