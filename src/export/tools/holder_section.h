// The holder section that closes the tool file: a line for each holder-list
// entry that has a shape to give.
#pragma once

#include <string>

#include "export/tools/holder_list.h"
#include "host/tool_library.h"

namespace quenlo {

// Appends, for entry i: a user holder as "/i USER_HOLDER " with its profile;
// a standard holder with positive diameter and length as
// "/i STD_HOLDER <dia> <length>"; nothing for a standard holder without size,
// nor for a user holder whose assembly, holder or profile the host no longer
// gives. Every line ends with a line feed.
void AppendHolderSection(std::string& out, const HolderList& list, const Cnc::Tool::IToolSystem* tools);

}  // namespace quenlo
