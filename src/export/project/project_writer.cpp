#include "export/project/project_writer.h"

#include <string>

#include "common/messages.h"
#include "export/project/project_rules.h"
#include "export/project/stock_stl.h"
#include "export/project/template_rewrite.h"
#include "host/dialog.h"
#include "host/folders.h"
#include "host/machine_group.h"
#include "platform/files.h"

namespace quenlo {
namespace {

constexpr wchar_t kTemplateName[] = L"default_template.prj";
using messages::kNotATemplate;
using messages::kProjectUnwritable;
using messages::kStlUnwritable;
using messages::kTemplateUnreadable;

}  // namespace

std::wstring ProjectTemplatePath() {
  std::wstring folder = chook_prefix ? chook_prefix : L"";
  return folder + platform::kPathSeparator + kTemplateName;
}

bool WriteProjectFile(const LinkSettings& settings, std::wstring& failure) {
  op_group* group = GroupsMachineGroup(nullptr);
  StockSetup stock = ReadStockSetup(group);
  if (!group) stock.shape = -1;  // no stock set-up: the template's stock lines stay

  std::wstring template_path = ProjectTemplatePath();
  std::string template_bytes;
  if (!platform::ReadWholeFile(template_path, template_bytes)) {
    failure = kTemplateUnreadable + template_path;
    return false;
  }
  // The project file must be writable before the rewrite writes the STL file.
  platform::FileReplacement project_file(settings.prj);
  if (!project_file.ready()) {
    failure = kProjectUnwritable + settings.prj;
    return false;
  }

  std::wstring stl_path = StockStlPath(settings.nc_file);
  bool stl_failed = false;
  auto write_stl = [&] {
    if (!WriteStockStl(stl_path, stock.solid_id)) stl_failed = true;
  };
  KeyRules rules = BuildProjectRules({settings, WcsTable, RefTable, stock, stl_path, write_stl});
  size_t keys_met = 0;
  std::string project = RewriteTemplate(template_bytes, rules, &keys_met);
  if (keys_met == 0) {
    failure = kNotATemplate + template_path;
    return false;  // the replacement is dropped: the old project file stays
  }

  failure.clear();
  if (stl_failed) failure = kStlUnwritable + stl_path;
  if (!project_file.Commit(project)) failure += (failure.empty() ? L"" : L"\n") + (kProjectUnwritable + settings.prj);
  return failure.empty();
}

bool WriteProjectFile(const LinkSettings& settings) {
  std::wstring failure;
  if (WriteProjectFile(settings, failure)) return true;
  AfxMessageBox(failure);
  return false;
}

}  // namespace quenlo
