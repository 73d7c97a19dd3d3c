// Replacing a file's contents in one step, on both back ends.
#include "platform/files.h"

namespace quenlo::platform {

bool ReplaceFileContents(std::wstring_view path, std::string_view bytes, bool flush) {
  FileReplacement replacement(path);
  return replacement.Commit(bytes, flush);
}

}  // namespace quenlo::platform
