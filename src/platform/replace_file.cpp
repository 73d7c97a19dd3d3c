// Replacing a file's contents in one step, on both back ends.
#include "platform/files.h"

namespace quenlo::platform {

bool ReplaceFileContents(std::wstring_view path, std::string_view bytes) {
  FileReplacement replacement(path);
  return replacement.Commit(bytes);
}

}  // namespace quenlo::platform
