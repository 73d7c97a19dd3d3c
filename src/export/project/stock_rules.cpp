// The stock in the project: its kind, its size and position, the solid or
// file that shapes it, and the stock definition line.
#include "export/project/rule_sets.h"
#include "export/project/rule_text.h"

namespace quenlo {
namespace {

// The key, a blank, the value with six decimals, a blank.
KeyRule SizeRule(const char* key, double value) { return LineRule(key, std::string(key) + " " + F(value) + " "); }

std::string PositionLine(double x, double y, double z) { return ".wrkjig.pos " + F(x) + " " + F(y) + " " + F(z); }

void AppendBoxRules(const StockSetup& s, KeyRules& rules) {
  rules.push_back(LineRule(".WUD0.work", ".WUD0.work 0 8451 WORK1 0"));
  rules.push_back(LineRule(".wrkjig.param", ".wrkjig.param " + F(s.size_x) + " " + F(s.size_y) + " 0.0000 0.0000 " +
                                                F(s.size_z) + Zeros(8)));
  if (auto p = BoxPosition(s)) rules.push_back(LineRule(".wrkjig.pos", PositionLine((*p)[0], (*p)[1], (*p)[2])));
  rules.push_back(SizeRule(".setting.work_width", s.size_x));
  rules.push_back(SizeRule(".setting.work_depth", s.size_y));
  rules.push_back(SizeRule(".setting.work_height", s.size_z));
}

void AppendBarRules(const StockSetup& s, KeyRules& rules) {
  rules.push_back(LineRule(".WUD0.work", ".WUD0.work 0 8706 WORK1 0"));
  rules.push_back(LineRule(".wrkjig.param", ".wrkjig.param 0.0000 " + F(s.size_x) + Zeros(3) + " " + F(s.size_y) +
                                                Zeros(6)));
  rules.push_back(LineRule(".wrkjig.pos", PositionLine(s.origin[0], s.origin[1], s.origin[2])));
  rules.push_back(SizeRule(".setting.work_dia", s.size_x));
  rules.push_back(SizeRule(".setting.work_length", s.size_y));
}

// A solid or file stock: the shape comes from the named file.
void AppendShapedRules(const std::wstring& path, std::function<void()> on_path, KeyRules& rules) {
  rules.push_back(LineRule(".WUD0.work", AnsiText(L".WUD0.work 0 11904 ワーク1 0")));
  rules.push_back(LineRule(".wrkjig.param", ".wrkjig.param" + Zeros(13)));
  KeyRule path_rule = LineRule(".wrkjig.path", ".wrkjig.path \"" + AnsiText(path) + "\" ");
  path_rule.on_match = std::move(on_path);
  rules.push_back(std::move(path_rule));
  rules.push_back(LineRule(".wrkjig.pos", PositionLine(0, 0, 0)));
  rules.push_back(LineRule(".wrkjig.col", ".wrkjig.col 32896"));
  rules.push_back(LineRule(".wrkjig.prec", ".wrkjig.prec 0.200000"));
  rules.push_back(LineRule(".wrkjig.fineness", ".wrkjig.fineness 5"));
}

}  // namespace

std::optional<std::array<double, 3>> BoxPosition(const StockSetup& s) {
  const double ox = s.origin[0], oy = s.origin[1], oz = s.origin[2];
  const double sx = s.size_x, sy = s.size_y, sz = s.size_z;
  // Codes 1..8 subtract the whole size; where the origin enters negated the
  // table says so. The panel's work-origin step reads the same codes
  // differently, on purpose.
  switch (s.origin_code) {
    case 0: return std::array<double, 3>{ox - sx / 2, oy - sy / 2, oz - sz};
    case 1: return std::array<double, 3>{-ox - sx, oy - sy, oz - sz};
    case 2: return std::array<double, 3>{ox - sx, oy - sy, oz - sz};
    case 3: return std::array<double, 3>{ox - sx, -oy - sy, oz - sz};
    case 4: return std::array<double, 3>{-ox - sx, -oy - sy, oz - sz};
    case 5: return std::array<double, 3>{-ox - sx, oy - sy, oz};
    case 6: return std::array<double, 3>{ox - sx, oy - sy, oz};
    case 7: return std::array<double, 3>{ox - sx, -oy - sy, oz};
    case 8: return std::array<double, 3>{-ox - sx, -oy - sy, oz};
    default: return std::nullopt;
  }
}

void AppendStockKindRule(const StockSetup& s, KeyRules& rules) {
  if (s.shape == kBoxShape) rules.push_back(LineRule(".setting.workform", ".setting.workform BOXMATERIAL"));
  if (s.shape == kBarShape) rules.push_back(LineRule(".setting.workform", ".setting.workform BARMATERIAL"));
}

void AppendStockRules(const StockSetup& s, const std::wstring& stl_path, std::function<void()> write_stl,
                      KeyRules& rules) {
  switch (s.shape) {
    case kBoxShape: AppendBoxRules(s, rules); break;
    case kBarShape: AppendBarRules(s, rules); break;
    case kSolidShape: AppendShapedRules(stl_path, std::move(write_stl), rules); break;
    case kFileShape: AppendShapedRules(s.file_path, nullptr, rules); break;
    default: break;
  }
}

void AppendStockDefRule(const StockSetup& s, KeyRules& rules) {
  KeyRule rule;
  rule.key = ".setting.StockDef 0";
  rule.steps.push_back(std::nullopt);
  rule.steps.push_back(".CWJDEF-P " + G(s.size_x) + " " + G(s.size_y) + " " + G(s.size_z) + Zeros(13) + " ");
  rules.push_back(std::move(rule));
}

}  // namespace quenlo
