// The tool records of the tool file, one per tool: from a milling tool's
// assembly, or a turning tool's main insert.
#pragma once

#include <string>

#include "export/tools/tool_model.h"
#include "host/operations.h"
#include "host/tool_library.h"

namespace quenlo {

// The record of a milling operation's tool as "USERDEFTOOL", from its assembly
// and the assembly's legacy record. False (and `record` untouched) when the
// milling tool's profile is not there.
bool MillingRecord(const operation& op, const Cnc::Tool::TlAssembly& assembly, const tp_tool& converted, int cycle,
                   int holder_index, ToolRecord& record);

// The record of a turning operation's tool as "USERDEFBITE", from the turning
// tool's main insert. False when the tool system does not give the turning
// tool, its insert or the insert's profile.
bool TurningRecord(const operation& op, const Cnc::Tool::IToolSystem* tools, int cycle, int holder_index,
                   ToolRecord& record);

// Appends the record's line: "T<number> <kind> <length> <cycle>", the
// profile, " /<holder index> #<comment>" and a line feed.
void AppendToolRecord(std::string& out, const ToolRecord& record);

}  // namespace quenlo
