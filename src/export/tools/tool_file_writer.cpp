#include "export/tools/tool_file_writer.h"

#include "common/messages.h"
#include "export/tools/tool_file_content.h"
#include "host/dialog.h"
#include "platform/files.h"

namespace quenlo {
namespace {

// The new file is built whole in memory and renamed into place complete, so
// the old one stays until the new one replaces it.
bool TryWriteToolFile(const std::wstring& path, ToolModel& model,
                      const std::function<void(const ToolModel&)>& model_ready) {
  platform::FileReplacement file(path);
  if (!file.ready()) return false;
  model = BuildToolModel();
  std::string bytes;
  AppendToolFile(bytes, model);
  if (model_ready) model_ready(model);
  return file.Commit(bytes);
}

}  // namespace

bool WriteToolFile(std::wstring path, std::wstring& failure) {
  ToolModel model;
  return WriteToolFile(std::move(path), model, failure);
}

bool WriteToolFile(std::wstring path, ToolModel& model, std::wstring& failure,
                   const std::function<void(const ToolModel&)>& model_ready) {
  bool written = false;
  try {
    written = TryWriteToolFile(path, model, model_ready);
  } catch (...) {
    written = false;  // out of memory, or a host call that threw: nothing reaches the host
  }
  if (written) return true;
  // A failed run leaves no tool file of an earlier run behind.
  platform::RemoveFile(path);
  failure = messages::ToolFileUnwritable(path);
  return false;
}

bool WriteToolFile(std::wstring path) {
  std::wstring failure;
  if (WriteToolFile(std::move(path), failure)) return true;
  AfxMessageBox(failure);
  return false;
}

}  // namespace quenlo
