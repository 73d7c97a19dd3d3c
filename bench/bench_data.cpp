#include "bench_data.h"

#include <cstdio>
#include <set>

#include "common/numbers.h"
#include "platform/files.h"
#include "settings/axis_row_text.h"
#include "settings/link_settings.h"

namespace bench {
namespace {

standin::Profile MakeProfile(int segments, double scale) {
  standin::Profile profile;
  profile.present = true;
  for (int i = 0; i < segments; ++i) {
    standin::ProfileSegment s;
    s.kind = i % 5 == 4 ? 'A' : 'L';
    s.start[0] = scale * i / 7.0;
    s.start[1] = scale * i;
    s.end[0] = scale * (i + 1) / 7.0;
    s.end[1] = scale * (i + 1) + 0.125;
    s.radius = 0.5 + i / 3.0;
    s.direction = i % 2 ? 1 : -1;
    profile.segments.push_back(s);
  }
  return profile;
}

const char* BuildName() {
#ifdef _WIN32
  return "windows (Wine)";
#else
  return "native";
#endif
}

}  // namespace

standin::Job MakeToolJob(int scale) {
  const int tools = 500 * scale, holders = 300 * scale, operations = 5000 * scale;
  standin::Job job;
  job.code_page = 932;
  job.machine_group.emplace();
  for (int t = 0; t < tools; ++t) {
    standin::Assembly a;
    a.id = 10000 + t;
    a.type_code = static_cast<short>(t % 3 == 0 ? 24 : t % 3 == 1 ? 13 : 1);
    a.size_s = 2 + t % 7;
    a.overall_length = 50 + t % 100;
    a.holder_dia = 40 + t % holders;
    a.holder_length = 60;
    a.projection = 30.5 + t % 20;
    a.total_holder_length = 80;
    a.profile = MakeProfile(40, 1 + t % 9);
    a.holder_profile = MakeProfile(40, 2);
    job.assemblies.push_back(a);
  }
  for (int h = 0; h < holders; ++h) {
    standin::Holder holder;
    holder.number = h;
    holder.by_number = h % 2 == 0;
    holder.name = h % 3 == 0 ? L"デフォルトホルダ" : L"ホルダ" + std::to_wstring(h);
    holder.levels.push_back({40.0 + h, 0, 60});
    job.holders.push_back(holder);
  }
  for (int i = 0; i < operations; ++i) {
    const int t = (i * 7) % tools;
    standin::Operation op;
    op.type = static_cast<short>(1 + i % 50);
    op.holder_number = t % holders;
    op.tool.tool_number = t + 1;
    op.tool.tool_id = 10000 + t;
    op.tool.diameter = 1 + t % 20;
    op.tool.d_number = t + 1;
    op.tool.h_number = t + 1;
    op.tool.comment = L"工具 " + std::to_wstring(t + 1) + L" φ" + std::to_wstring(1 + t % 20);
    job.machine_group->operations.push_back(op);
  }
  return job;
}

std::string MakeTemplate(int lines, int stock_blocks) {
  std::string t;
  int count = 0;
  auto add = [&](const std::string& line) {
    t += line + "\r\n";
    ++count;
  };
  add(";bench template");
  for (const char* k : {".ncdfile  \"\"", ".ncdfile1  \"\"", ".tolfiles1   \"\"", ".mchfile  \"\"", ".wrkfile  \"\""})
    add(k);
  for (int b = 0; b < stock_blocks; ++b) {
    for (const char* k : {".setting.workform BOXMATERIAL", ".WUD0.work 0", ".wrkjig.param 0", ".wrkjig.path \"\"",
                          ".wrkjig.pos 0", ".wrkjig.col 1", ".wrkjig.prec 1", ".wrkjig.fineness 1",
                          ".setting.work_width 1", ".setting.work_depth 1", ".setting.work_height 1",
                          ".setting.work_dia 1", ".setting.work_length 1", ".setting.StockDef 0", ".CWJDEF-N 1",
                          ".CWJDEF-P 0"})
      add(k);
  }
  for (const char* k : {"part0p.x", "part0p.y", "part0p.z", "a_axis_0p.y", "a_axis_0p.z", "b_axis_0p.x",
                        "b_axis_0p.z", "c_axis_0p.x", "c_axis_0p.y", "initial_tool_fromM"})
    add(std::string(".setting.") + k + " 0 ");
  for (int i = 1; i <= 9; ++i) add(".setting.initial_axis" + std::to_string(i) + " 0 ");
  for (int n = 1; n <= 4; ++n)
    for (int i = 1; i <= 9; ++i) add(".setting.referenc" + std::to_string(n) + "_axis" + std::to_string(i) + " 0 ");
  for (int n = 1; n <= 315; ++n) {
    add(".setting.WORK5SYS[0] " + std::to_string(n) + " G");
    add(".W5SV 0 0 0 0 0 0 0 0 0 ");
    if (n >= 308) add(".W5SF 1 0 0 0 0 0 0 0 0 0 ");
  }
  for (int i = 0; count < lines; ++i)
    add(i % 3 ? ".setting.other_value_" + std::to_string(i) + " 1.250000 "
              : "; a comment line of the template " + std::to_string(i));
  return t;
}

std::vector<std::pair<std::wstring, std::wstring>> FullStoreValues(const std::wstring& folder,
                                                                   const std::wstring& exe, int variant) {
  const std::wstring v = std::to_wstring(variant);
  std::vector<std::pair<std::wstring, std::wstring>> out;
  out.emplace_back(L"mch", folder + L"機械定義_" + v + L".mch");
  out.emplace_back(L"exe", exe);
  out.emplace_back(L"prj", folder + L"プロジェクト_" + v + L".prjx");
  out.emplace_back(L"tol", folder + L"工具ファイル_" + v + L".tol");
  out.emplace_back(L"wrk", folder + L"素材ファイル_" + v + L".wrk");
  out.emplace_back(L"from_wrk_st", L"0");
  for (const wchar_t* key : {L"part_x", L"part_y", L"part_z", L"a_axis_y", L"a_axis_z", L"b_axis_x", L"b_axis_z",
                             L"c_axis_x", L"c_axis_y"})
    out.emplace_back(key, quenlo::WFormatG(-123.456789 - variant));
  out.emplace_back(L"ref_from_m", L"1");
  out.emplace_back(L"ref_num", L"3");
  out.emplace_back(L"wcs_num", L"250");
  auto row = [&](int n, double sign) {
    quenlo::AxisRow r;
    for (int i = 0; i < 9; ++i) r[i] = sign * (n * 1.5 + i * 0.125 + variant);
    return quenlo::FormatAxisRow(r);
  };
  for (int n = 0; n < quenlo::kWcsRows; ++n) out.emplace_back(L"xyz " + std::to_wstring(n), row(n, 1));
  for (int n = 0; n < quenlo::kRefRows; ++n) out.emplace_back(L"ref " + std::to_wstring(n), row(n, -1));
  return out;
}

std::string ProgramSelectingEveryTool(const standin::Job& job) {
  std::string program = "%\nO1000\n";
  std::set<int> numbers;
  for (const auto& op : job.machine_group->operations) numbers.insert(op.tool.tool_number);
  int block = 0;
  for (int t : numbers)
    program += "T" + std::to_string(t) + " M6\nG" + std::to_string(54 + block++ % 6) + " G90 G0 X0 Y0\nG43 H" +
               std::to_string(t) + " Z50.\nG1 Z-1. F500\nX100.\nG0 Z50.\n";
  program += "M30\n%\n";
  return program;
}

std::vector<std::wstring> RunReadKeys() {
  std::vector<std::wstring> keys;
  for (const auto& kv : FullStoreValues(L"", L"", 0))
    if (kv.first != L"part_x" && kv.first != L"part_y" && kv.first != L"part_z") keys.push_back(kv.first);
  return keys;
}

std::wstring MakeFolder(const std::wstring& parent, const std::wstring& name) {
  std::wstring folder = parent;
  if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') folder += quenlo::platform::kPathSeparator;
  folder += name;
  quenlo::platform::MakeDirectory(folder);
  return folder + quenlo::platform::kPathSeparator;
}

void PrintHeader() {
  std::printf("| build | job | ours | ms | reference | ms | ratio |\n|---|---|---|---|---|---|---|\n");
}

void PrintRow(const std::string& job, const std::string& ours_what, double ours_ms, const std::string& ref_what,
              double ref_ms) {
  if (ref_ms > 0) {
    std::printf("| %s | %s | %s | %.3f | %s | %.3f | %.3g |\n", BuildName(), job.c_str(), ours_what.c_str(),
                ours_ms, ref_what.c_str(), ref_ms, ours_ms / ref_ms);
  } else {
    std::printf("| %s | %s | %s | %.3f | %s | - | - |\n", BuildName(), job.c_str(), ours_what.c_str(), ours_ms,
                ref_what.c_str());
  }
  std::fflush(stdout);
}

}  // namespace bench
