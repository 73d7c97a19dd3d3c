#include "export/tools/tool_file_writer.h"

namespace quenlo {

void WriteToolFile(std::wstring) {}

}  // namespace quenlo
