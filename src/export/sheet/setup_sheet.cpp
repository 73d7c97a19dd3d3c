#include "export/sheet/setup_sheet.h"

#include <algorithm>
#include <map>
#include <optional>

#include "common/numbers.h"
#include "export/project/rule_sets.h"
#include "export/sheet/by_number.h"
#include "export/sheet/sheet_data.h"
#include "export/sheet/sheet_drawing.h"
#include "export/sheet/sheet_text.h"
#include "nc_check/nc_findings.h"

namespace quenlo::sheet {
namespace {

using nc_check::NcUse;
using nc_check::NcWord;

constexpr char kStyle[] =
    "@page{size:A4;margin:12mm}\n"
    "*{box-sizing:border-box}\n"
    "body{font-family:\"IPAGothic\",\"IPAexGothic\",\"Noto Sans CJK JP\",\"Yu Gothic\",\"Meiryo\",sans-serif;"
    "font-size:9.5pt;line-height:1.35;color:#000;background:#fff;margin:0 auto;padding:8px;max-width:190mm}\n"
    "h1{font-size:20pt;margin:0 0 4px;word-break:break-all}\n"
    "h2{font-size:12pt;margin:12px 0 4px;border-bottom:2px solid #000;break-after:avoid;page-break-after:avoid}\n"
    ".kind{margin:0;font-size:9pt;letter-spacing:.2em}\n"
    "table{border-collapse:collapse;width:100%}\n"
    "th,td{border:1px solid #000;padding:2px 4px;vertical-align:top;text-align:left}\n"
    "th{background:#eee}\n"
    "thead{display:table-header-group}\n"
    "tr{break-inside:avoid;page-break-inside:avoid}\n"
    "td.n{text-align:right;white-space:nowrap}\n"
    "td.t{font-weight:bold;font-size:12pt;white-space:nowrap}\n"
    "td.pic{width:1%}\n"
    "td.k{white-space:nowrap}\n"
    ".facts th{width:8em;white-space:nowrap}\n"
    ".facts td{word-break:break-all}\n"
    ".box{border:3px double #000;padding:4px 8px;margin:8px 0;break-inside:avoid}\n"
    ".box p{margin:0 0 4px;font-weight:bold}\n"
    ".box ul{margin:0;padding-left:1.5em}\n"
    ".warn{font-weight:bold}\n"
    ".legend{margin:2px 0 4px}\n"
    "svg{display:block}\n"
    "svg path,svg rect,svg line,svg ellipse,svg circle{vector-effect:non-scaling-stroke;stroke-width:1}\n"
    "svg .cutter{fill:#aaa;stroke:#000}\n"
    "svg .holder{fill:#fff;fill-opacity:.8;stroke:#000}\n"
    "svg .axis{stroke:#000;stroke-dasharray:6 2 1 2}\n"
    "svg .gauge{stroke:#000;stroke-dasharray:4 2;stroke-width:2}\n"
    "svg.scale{display:inline;vertical-align:middle}\n"
    "svg.scale path{fill:none;stroke:#000;stroke-width:1.5}\n"
    "svg .body{fill:#eee;stroke:#000}\n"
    "svg .origin{fill:none;stroke:#000;stroke-width:2}\n"
    ".views{display:flex;flex-wrap:wrap;gap:16px;margin:4px 0}\n"
    "section.stock{break-inside:avoid;page-break-inside:avoid}\n"
    "figure{margin:0}\n"
    "figcaption{font-size:8.5pt;text-align:center}\n"
    "footer{margin-top:12px;font-size:8pt}\n";

std::string Text(std::wstring_view text) { return Utf8(text); }

void Cell(PageText& out, std::string_view text, const char* cls = nullptr) {
  out += cls ? "<td class=\"" : "<td";
  if (cls) {
    out += cls;
    out += '"';
  }
  out += '>';
  AppendEscaped(out, text);
  out += "</td>";
}

void HeadRow(PageText& out, std::initializer_list<const wchar_t*> names) {
  out += "<thead><tr>";
  for (const wchar_t* name : names) {
    out += "<th>";
    AppendEscaped(out, name);
    out += "</th>";
  }
  out += "</tr></thead>\n";
}

void FactRow(PageText& out, const wchar_t* label, std::string_view value) {
  out += "<tr><th>";
  AppendEscaped(out, label);
  out += "</th>";
  Cell(out, value);
  out += "</tr>\n";
}

std::string Two(int v) { return (v < 10 && v >= 0 ? "0" : "") + FormatD(v); }

std::string When(const platform::LocalTime& t) {
  return FormatD(t.year) + "-" + Two(t.month) + "-" + Two(t.day) + " " + Two(t.hour) + ":" + Two(t.minute) + ":" +
         Two(t.second);
}

std::string Line(int line) { return FormatD(line) + "行目"; }

// "G54", "G54.1P12", "G54.2P8"; row 0 is the external offset.
std::string OffsetCode(int row) {
  if (row == 0) return "EXOFS";
  return Text(nc_check::WordName({NcWord::kWorkOffset, row, 0}));
}

bool AllZero(const AxisRow& row) {
  return std::all_of(row.begin(), row.end(), [](double v) { return v == 0; });
}

// The folder of a path with its last separator, and the name after it.
void SplitPath(const std::wstring& path, std::wstring& folder, std::wstring& name) {
  const size_t cut = path.find_last_of(L"\\/");
  folder = cut == std::wstring::npos ? L"" : path.substr(0, cut + 1);
  name = cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::string PathOrNone(const std::wstring& path) { return path.empty() ? "（なし）" : Text(path); }

// The tools as the sheet shows them, with their pictures.
struct ToolRows {
  SheetData data;
  std::vector<ToolPicture> pictures;
  std::vector<std::string> first_use;
};

// The values of an offset section by number (the file has one line a number).
ByNumber<double> ValuesOf(const std::vector<OffsetEntry>& entries) {
  ByNumber<double> values;
  values.Reserve(entries.size());
  for (const OffsetEntry& e : entries) values.Add(e.number, e.value);
  values.Sort();
  return values;
}

std::string HolderText(const ToolModel& model, const ToolRecord& t) {
  if (t.holder_index < 0 || static_cast<size_t>(t.holder_index) >= model.holders.size()) return "なし";
  const HolderRecord& h = model.holders[static_cast<size_t>(t.holder_index)];
  std::string text = "/" + FormatD(t.holder_index);
  if (!h.name.empty()) text += " " + Text(h.name);
  if (h.kind == HolderRecord::Kind::kStandard) text += " φ" + Num(h.dia) + " × " + Num(h.length);
  if (h.kind == HolderRecord::Kind::kUser) text += "（形状あり）";
  return text;
}

ToolRows MakeToolRows(const SheetInputs& in) {
  const ToolModel& model = *in.tools;
  ToolRows rows;
  rows.data.tools.reserve(model.records.size());
  rows.pictures.reserve(model.records.size());
  rows.first_use.reserve(model.records.size());
  // Many tools share a holder: its text is made once.
  std::vector<std::string> holder_texts(model.holders.size());
  ByNumber<int> first;  // tool number -> line
  const bool lines_known = in.nc.found && in.nc.reading.readable && in.nc.tools_read;
  if (lines_known) {
    for (const NcUse& use : in.nc.reading.uses)
      if (use.word == NcWord::kTool) first.Add(use.number, use.line);
    first.Sort();
  }
  // The offset sections hold the values only when the file carries them.
  ByNumber<double> radii, lengths;
  if (model.closing_sections) {
    radii = ValuesOf(model.radii);
    lengths = ValuesOf(model.lengths);
  }
  for (const ToolRecord& t : model.records) {
    ToolData d;
    d.number = t.number;
    auto& v = d.values;
    v[0] = Text(t.comment);
    v[1] = t.turning ? "旋削" : "ミル";
    v[2] = Num(t.length);
    ToolPicture p;
    p.tool = &t;
    if (!t.turning) {
      v[3] = Num(t.projection);
      v[4] = Num(t.diameter);
      v[5] = "D" + FormatD(t.d_number);
      if (const double* d_value = radii.Find(t.d_number)) v[6] = Num(*d_value);
      v[7] = "H" + FormatD(t.h_number);
      if (const double* h_value = lengths.Find(t.h_number)) {
        v[8] = Num(*h_value);
        p.gauge = *h_value;
        p.has_gauge = true;
      }
      if (t.holder_index >= 0 && static_cast<size_t>(t.holder_index) < model.holders.size())
        p.holder = &model.holders[static_cast<size_t>(t.holder_index)];
    }
    if (t.holder_index >= 0 && static_cast<size_t>(t.holder_index) < holder_texts.size()) {
      std::string& text = holder_texts[static_cast<size_t>(t.holder_index)];
      if (text.empty()) text = HolderText(model, t);
      v[9] = text;
    } else {
      v[9] = HolderText(model, t);
    }
    p.Measure();
    rows.pictures.push_back(p);
    rows.data.tools.push_back(std::move(d));
    if (!lines_known) {
      rows.first_use.push_back("－");
    } else {
      const int* line = first.Find(t.number);
      rows.first_use.push_back(line ? Line(*line) : "未使用");
    }
  }
  return rows;
}

struct OffsetRow {
  int row = 0;
  int line = 0;  // 0: not known
  bool set_by_program = false;
};

std::vector<OffsetRow> SelectedRows(const SheetInputs& in, bool& listed_all) {
  std::vector<OffsetRow> rows;
  listed_all = !in.nc.found || !in.nc.reading.readable;
  if (listed_all) {
    for (int r = 0; r < kWcsRows - 1; ++r)  // row 315 has no entry
      if (!AllZero(in.work_offsets[r])) rows.push_back({r, 0, false});
    return rows;
  }
  for (const auto* list : {&in.nc.reading.uses, &in.nc.reading.set_uses})
    for (const NcUse& use : *list)
      if (use.word == NcWord::kWorkOffset && use.number >= 0 && use.number < kWcsRows - 1)
        rows.push_back({use.number, use.line, list == &in.nc.reading.set_uses});
  std::stable_sort(rows.begin(), rows.end(), [](const OffsetRow& a, const OffsetRow& b) { return a.line < b.line; });
  return rows;
}

void AppendHeader(PageText& out, const SheetInputs& in) {
  const LinkSettings& s = *in.settings;
  std::wstring folder, name;
  SplitPath(s.nc_file, folder, name);
  out += "<header>\n<p class=\"kind\">セットアップシート</p>\n<h1>";
  AppendEscaped(out, name);
  out += "</h1>\n<table class=\"facts\">\n";
  FactRow(out, L"フォルダ", PathOrNone(folder));
  FactRow(out, L"NCファイル",
          in.nc.found ? FormatD(static_cast<long long>(in.nc.facts.size)) + " バイト、更新 " + When(in.nc.facts.modified)
                      : "見つかりません");
  FactRow(out, L"プロジェクト", PathOrNone(s.prj));
  FactRow(out, L"機械定義", PathOrNone(s.mch));
  FactRow(out, L"工具ファイル", PathOrNone(s.tol));
  FactRow(out, L"素材ファイル", PathOrNone(s.wrk));
  FactRow(out, L"起動日時", When(in.launched));
  out += "</table>\n</header>\n";
}

void AppendCheck(PageText& out, const nc_check::CheckOutcome& check) {
  using State = nc_check::CheckOutcome::State;
  switch (check.state) {
    case State::kFindings:
      out += "<section class=\"box\">\n<p>NCプログラムの確認で次の点が見つかりましたが、そのまま起動しました。</p>\n<ul>\n";
      for (const std::wstring& line : nc_check::ListedFindings(check.findings)) {
        out += "<li>";
        AppendEscaped(out, line);
        out += "</li>\n";
      }
      out += "</ul>\n</section>\n";
      return;
    case State::kOff: out += "<p>NCプログラムの確認はオフです（設定 nc_check=0）。</p>\n"; return;
    case State::kClean: out += "<p>NCプログラムの確認: 指摘はありません。</p>\n"; return;
    default: out += "<p>NCプログラムの確認は行われませんでした。</p>\n"; return;
  }
}

void AppendChanges(PageText& out, const std::optional<Comparison>& since) {
  out += "<section class=\"changes\">\n<h2>前回の起動からの変更</h2>\n";
  if (!since) {
    out += "<p>初回（前回のシートはありません）</p>\n";
  } else if (since->changes.empty()) {
    out += "<p>変更はありません</p>\n";
  } else {
    out += "<ul>\n";
    for (const std::string& line : since->changes) {
      out += "<li>";
      AppendEscaped(out, line);
      out += "</li>\n";
    }
    out += "</ul>\n";
  }
  out += "</section>\n";
}

void AppendTools(PageText& out, const ToolRows& rows, const std::vector<int>& marked, const SheetInputs& in) {
  const double scale = CommonScale(rows.pictures);
  out += "<section class=\"tools\">\n<h2>工具（";
  out.PutD(static_cast<long long>(rows.data.tools.size()));
  out += "本、工具ファイルの順）</h2>\n<p class=\"legend\">図はすべて同じ縮尺 ";
  AppendScaleBar(out, scale);
  out += "。灰色が工具、白がホルダー、太い破線がゲージライン（H値の高さ）。＊は前回から変わった工具。";
  if (!in.nc.tools_read) out += "旋削を含むジョブのため、T の初回選択は読んでいません。";
  out += "</p>\n<table>\n";
  HeadRow(out, {L"T", L"名称", L"種類", L"全長", L"ホルダー下の長さ", L"径", L"D", L"H", L"ホルダー", L"初回選択",
                L"図"});
  out += "<tbody>\n";
  DrawnProfiles drawn;
  for (size_t i = 0; i < rows.data.tools.size(); ++i) {
    const ToolData& t = rows.data.tools[i];
    const auto& v = t.values;
    out += "<tr>";
    Cell(out, (std::binary_search(marked.begin(), marked.end(), t.number) ? "＊T" : "T") + FormatD(t.number), "t");
    Cell(out, v[0]);
    Cell(out, v[1], "k");
    Cell(out, v[2], "n");
    Cell(out, v[3], "n");
    Cell(out, v[4], "n");
    Cell(out, v[5].empty() ? "" : v[5] + (v[6].empty() ? "（値なし）" : " = " + v[6]), "n");
    Cell(out, v[7].empty() ? "" : v[7] + (v[8].empty() ? "（値なし）" : " = " + v[8]), "n");
    Cell(out, v[9]);
    Cell(out, rows.first_use[i], "n");
    out += "<td class=\"pic\">";
    AppendToolSvg(out, rows.pictures[i], i, scale, drawn);
    out += "</td></tr>\n";
  }
  out += "</tbody>\n</table>\n</section>\n";
}

void AppendOffsets(PageText& out, const SheetInputs& in, SheetData& data) {
  bool listed_all = false;
  const std::vector<OffsetRow> rows = SelectedRows(in, listed_all);
  out += "<section class=\"offsets\">\n<h2>ワーク座標系</h2>\n";
  if (listed_all) out += "<p class=\"warn\">NCプログラムを読めないため、値のある行をすべて示します。</p>\n";
  if (rows.empty()) {
    out += listed_all ? "<p>値のある行はありません。</p>\n" : "<p>プログラムはワーク座標系を選んでいません。</p>\n";
    out += "</section>\n";
    return;
  }
  out += "<table>\n";
  HeadRow(out, {L"座標系", L"初回使用", L"X", L"Y", L"Z", L"その他の軸（0 以外）", L"注記"});
  out += "<tbody>\n";
  for (const OffsetRow& r : rows) {
    const AxisRow& values = in.work_offsets[r.row];
    OffsetData d;
    d.row = r.row;
    d.code = OffsetCode(r.row);
    for (size_t a = 0; a < kAxes; ++a) d.values[a] = Num(values[a]);
    out += "<tr>";
    Cell(out, d.code, "t");
    Cell(out, r.line ? Line(r.line) : "－", "n");
    for (size_t a = 0; a < 3; ++a) Cell(out, d.values[a], "n");
    std::string others;
    for (size_t a = 3; a < kAxes; ++a)
      if (values[a] != 0) others += (others.empty() ? "" : "　") + Text(kAxisNames[a]) + " " + d.values[a];
    Cell(out, others);
    std::string note;
    if (r.set_by_program) note = "プログラムが設定（G10・変数）";  // its zeros in the table do not matter
    else if (AllZero(values)) note = "⚠ 値がすべて0";
    Cell(out, note, "warn");
    out += "</tr>\n";
    data.offsets.push_back(std::move(d));
  }
  out += "</tbody>\n</table>\n</section>\n";
}

void AppendAxisRow(PageText& out, const wchar_t* label, const AxisRow& row) {
  std::string text;
  for (size_t a = 0; a < kAxes; ++a)
    if (row[a] != 0) text += (text.empty() ? "" : "　") + Text(kAxisNames[a]) + " " + Num(row[a]);
  FactRow(out, label, text);
}

void AppendStock(PageText& out, const SheetInputs& in) {
  const StockSetup& st = in.stock;
  const LinkSettings& s = *in.settings;
  out += "<section class=\"stock\">\n<h2>素材</h2>\n<table class=\"facts\">\n";
  const std::string size = Num(st.size_x) + " × " + Num(st.size_y) + " × " + Num(st.size_z);
  switch (st.shape) {
    case kBoxShape: {
      FactRow(out, L"形状", "直方体 " + size + "（X × Y × Z）");
      if (auto p = BoxPosition(st)) {
        FactRow(out, L"位置（最小の角）", Num((*p)[0]) + ", " + Num((*p)[1]) + ", " + Num((*p)[2]));
      }
      break;
    }
    case kBarShape:
      FactRow(out, L"形状", "円柱 直径 " + Num(st.size_x) + "、長さ " + Num(st.size_y));
      FactRow(out, L"位置", Num(st.origin[0]) + ", " + Num(st.origin[1]) + ", " + Num(st.origin[2]));
      break;
    case kSolidShape:
      FactRow(out, L"形状", in.solid.known ? "ソリッド（STL の外形 " +
                                                  Num(in.solid.max[0] - in.solid.min[0]) + " × " +
                                                  Num(in.solid.max[1] - in.solid.min[1]) + " × " +
                                                  Num(in.solid.max[2] - in.solid.min[2]) + "）"
                                            : std::string("ソリッド（外形は読めませんでした）"));
      break;
    case kFileShape: FactRow(out, L"形状", "素材ファイル " + PathOrNone(st.file_path)); break;
    default: FactRow(out, L"形状", "不明（" + FormatD(st.shape) + "）");
  }
  FactRow(out, L"ワーク原点", Num(s.part_x) + ", " + Num(s.part_y) + ", " + Num(s.part_z));
  const double centres[] = {s.a_axis_y, s.a_axis_z, s.b_axis_x, s.b_axis_z, s.c_axis_x, s.c_axis_y};
  if (std::any_of(std::begin(centres), std::end(centres), [](double v) { return v != 0; }))
    FactRow(out, L"回転軸中心", "A（Y " + Num(s.a_axis_y) + ", Z " + Num(s.a_axis_z) + "）　B（X " + Num(s.b_axis_x) +
                                   ", Z " + Num(s.b_axis_z) + "）　C（X " + Num(s.c_axis_x) + ", Y " +
                                   Num(s.c_axis_y) + "）");
  for (int r = 0; r < kRefRows; ++r) {
    if (AllZero(in.references[r])) continue;
    AppendAxisRow(out, r == 0 ? L"初期位置" : r == 1 ? L"第1復帰位置" : r == 2 ? L"第2復帰位置"
                                                     : r == 3 ? L"第3復帰位置" : L"第4復帰位置",
                  in.references[r]);
  }
  if (s.ref_from_m) FactRow(out, L"初期位置の基準", "機械原点");
  out += "</table>\n";
  // The views, the work origin marked with a ring and a cross.
  double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  bool box = false, bar = false;
  if (st.shape == kBoxShape) {
    if (auto p = BoxPosition(st)) {
      const double size3[3] = {st.size_x, st.size_y, st.size_z};
      for (int i = 0; i < 3; ++i) {
        lo[i] = (*p)[static_cast<size_t>(i)];
        hi[i] = lo[i] + size3[i];
      }
      box = true;
    }
  } else if (st.shape == kSolidShape && in.solid.known) {
    for (int i = 0; i < 3; ++i) {
      lo[i] = in.solid.min[i];
      hi[i] = in.solid.max[i];
    }
    box = true;
  } else if (st.shape == kBarShape) {
    bar = true;
  }
  if (box) {
    out += "<div class=\"views\">";
    AppendStockView(out, L"上面", L"X・Y", ViewShape::kRectangle, lo[0], lo[1], hi[0], hi[1]);
    AppendStockView(out, L"正面", L"X・Z", ViewShape::kRectangle, lo[0], lo[2], hi[0], hi[2]);
    out += "</div>\n";
  } else if (bar) {
    const double r = st.size_x / 2, x = st.origin[0], y = st.origin[1], z = st.origin[2];
    out += "<div class=\"views\">";
    AppendStockView(out, L"端面", L"X・Y", ViewShape::kCircle, x - r, y - r, x + r, y + r);
    AppendStockView(out, L"側面", L"X・Z", ViewShape::kRectangle, x - r, z - st.size_y, x + r, z);
    out += "</div>\n";
  }
  out += "<p class=\"legend\">○と十字がワーク原点（プログラム原点）。</p>\n</section>\n";
}

}  // namespace

SheetParts BuildSheetParts(const SheetInputs& in) {
  // Some 1,500 bytes a tool, most of them its drawing; the data block some 200.
  SheetParts parts{PageText(16384 + in.tools->records.size() * 1600), PageText(1024 + in.tools->records.size() * 256)};
  PageText& out = parts.head;
  std::wstring folder, name;
  SplitPath(in.settings->nc_file, folder, name);
  out += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>セットアップシート ";
  AppendEscaped(out, name);
  out += "</title>\n<style>\n";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n";
  AppendHeader(out, in);
  AppendCheck(out, in.check);

  ToolRows tools = MakeToolRows(in);
  // The offsets are laid out after the tools but compared with them: built
  // first into a text of their own.
  PageText offsets(4096);
  AppendOffsets(offsets, in, tools.data);
  // The page's end holds the data block, whose entries the previous sheet's
  // are compared with: written first.
  PageText& tail = parts.tail;
  tail += "<footer>Quenlo が起動時に、シミュレーターに渡した工具ファイル・プロジェクトファイルと同じデータから書き出しました。</footer>\n";
  std::vector<std::pair<size_t, size_t>> entries;
  entries.reserve(tools.data.tools.size());
  AppendDataBlock(tail, tools.data, &entries);
  tail += "</body>\n</html>\n";
  const std::optional<Comparison> since = CompareWithPrevious(in.previous, tools.data, tail.view(), entries);
  AppendChanges(out, since);
  AppendTools(out, tools, since ? since->marked : std::vector<int>{}, in);
  out += offsets;
  return parts;
}

void CompleteSheet(SheetParts& parts, const SheetInputs& in) {
  AppendStock(parts.head, in);
  parts.head += parts.tail;
}

std::string BuildSetupSheet(const SheetInputs& in) {
  SheetParts parts = BuildSheetParts(in);
  CompleteSheet(parts, in);
  return parts.head.str();
}

}  // namespace quenlo::sheet
