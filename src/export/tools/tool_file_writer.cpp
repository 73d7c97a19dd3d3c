#include "export/tools/tool_file_writer.h"

#include "export/tools/tool_file_content.h"
#include "host/dialog.h"
#include "platform/files.h"

namespace quenlo {
namespace {

void ReportWriteFailure(const std::wstring& path) {
  AfxMessageBox(L"工具ファイル「" + path + L"」を保存できませんでした。");
}

// Any old file goes first, so that a failed run leaves no tool file; the new
// one is built whole in memory and renamed into place complete.
bool TryWriteToolFile(const std::wstring& path) {
  if (!platform::RemoveFile(path)) return false;
  std::string bytes;
  BuildToolFile(bytes);
  return platform::ReplaceFileContents(path, bytes);
}

}  // namespace

void WriteToolFile(std::wstring path) {
  bool written = false;
  try {
    written = TryWriteToolFile(path);
  } catch (...) {
    written = false;  // out of memory, or a host call that threw: nothing reaches the host
  }
  if (!written) {
    platform::RemoveFile(path);
    ReportWriteFailure(path);
  }
}

}  // namespace quenlo
