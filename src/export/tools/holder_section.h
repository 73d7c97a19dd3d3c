// The holder section that closes the tool file: a line for each holder-list
// entry that has a shape to give.
#pragma once

#include <string>
#include <vector>

#include "export/tools/holder_list.h"
#include "export/tools/tool_model.h"
#include "host/tool_library.h"

namespace quenlo {

// The holders of the list as the file gives them: a user holder with the
// profile of its assembly's main holder; a standard holder with positive
// diameter and length by its size; kNoLine for a standard holder without size,
// and for a user holder whose assembly, holder or profile the host no longer
// gives.
std::vector<HolderRecord> HolderRecords(const HolderList& list, const Cnc::Tool::IToolSystem* tools);

// Appends, for entry i: "/i USER_HOLDER " with the profile, or
// "/i STD_HOLDER <dia> <length>"; nothing for kNoLine. Every line ends with a
// line feed.
void AppendHolderSection(std::string& out, const std::vector<HolderRecord>& holders);

}  // namespace quenlo
