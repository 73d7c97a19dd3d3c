// The tool records of the tool file: one line per tool, "T<number> <kind>
// <length> <cycle>", the profile pieces, then " /<holder index> #<comment>".
#pragma once

#include <string>

#include "host/operations.h"
#include "host/tool_library.h"

namespace quenlo {

// The record of a milling operation's tool as "USERDEFTOOL", from its assembly
// and the assembly's legacy record. Appends nothing and returns false when the
// milling tool's profile is not there.
bool AppendMillingRecord(std::string& out, const operation& op, const Cnc::Tool::TlAssembly& assembly,
                         const tp_tool& converted, int cycle, int holder_index);

// The record of a turning operation's tool as "USERDEFBITE", from the turning
// tool's main insert. Appends nothing and returns false when the tool system
// does not give the turning tool, its insert or the insert's profile.
bool AppendTurningRecord(std::string& out, const operation& op, const Cnc::Tool::IToolSystem* tools, int cycle,
                         int holder_index);

}  // namespace quenlo
