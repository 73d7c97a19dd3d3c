#include "ui/file_guards.h"

#include "common/messages.h"
#include "export/project/project_rules.h"
#include "export/project/project_writer.h"
#include "export/project/stock_setup.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/settings_fields.h"

namespace quenlo::ui {
namespace {

NamedFile Field(const LinkSettings& s, std::wstring LinkSettings::*member) {
  return {FieldOf(member).label, s.*member};
}

NamedFile Template() { return {messages::kTemplateFile, ProjectTemplatePath()}; }

// Every file the record names, but the one at `except`.
std::vector<NamedFile> RecordFiles(const LinkSettings& s, std::wstring LinkSettings::*except) {
  std::vector<NamedFile> files;
  for (const SettingsField& field : kSettingsFields)
    if (field.kind == FieldKind::kPath && field.text != except) files.push_back(Field(s, field.text));
  files.push_back(Template());
  return files;
}

}  // namespace

FileRoles LaunchFiles(const LinkSettings& s) {
  FileRoles roles;
  roles.outputs = {Field(s, &LinkSettings::tol), Field(s, &LinkSettings::prj)};
  if (ReadStockSetup(GroupsMachineGroup(nullptr)).shape == kSolidShape)
    roles.outputs.push_back({messages::kStlFile, StockStlPath(s.nc_file)});
  roles.inputs = {Field(s, &LinkSettings::nc_file), Field(s, &LinkSettings::mch), Field(s, &LinkSettings::wrk),
                  Field(s, &LinkSettings::exe), Template()};
  return roles;
}

FileRoles ToolsOnlyFiles(const LinkSettings& s) {
  return {{Field(s, &LinkSettings::tol)}, RecordFiles(s, &LinkSettings::tol)};
}

FileRoles SettingsFileFiles(const LinkSettings& s, const std::wstring& path) {
  return {{{messages::kSettingsFile, path}}, RecordFiles(s, nullptr)};
}

std::wstring SameFileMessage(const FileRoles& roles) {
  auto message = [](const NamedFile& out, const NamedFile& other) {
    return messages::SameFile(out.label, other.label, out.path);
  };
  for (size_t i = 0; i < roles.outputs.size(); ++i) {
    const NamedFile& out = roles.outputs[i];
    for (const NamedFile& in : roles.inputs)
      if (platform::SameFile(out.path, in.path)) return message(out, in);
    for (size_t j = i + 1; j < roles.outputs.size(); ++j)
      if (platform::SameFile(out.path, roles.outputs[j].path)) return message(out, roles.outputs[j]);
  }
  return {};
}

std::wstring UncarriedPathsMessage(const LinkSettings& s) {
  std::wstring message;
  for (auto member : kProjectFilePaths) {
    std::wstring lost = platform::CharactersNotInAnsi(s.*member);
    if (lost.empty()) continue;
    if (!message.empty()) message += L"\n";
    message += messages::PathNotWritable(FieldOf(member).label, lost);
  }
  return message;
}

}  // namespace quenlo::ui
