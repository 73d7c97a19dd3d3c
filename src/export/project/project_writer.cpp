#include "export/project/project_writer.h"

namespace quenlo {

void WriteProjectFile(const LinkSettings&) {}

}  // namespace quenlo
