// The bytes of the tool file, written from the tool model: tool records, then
// (unless the model leaves them out) the D, H and holder sections. ANSI code
// page, LF line ends.
#pragma once

#include <string>
#include <unordered_set>

#include "export/tools/tool_model.h"

namespace quenlo {

// Appends the tool file of `model` to `out`.
void AppendToolFile(std::string& out, const ToolModel& model);

// Appends the tool file of the host's current job (one walk, then the file).
void BuildToolFile(std::string& out);

// What the tool file carries, by number: the tools that have a record and the
// D and H numbers of its offset sections (empty when those sections are left
// out), and whether any operation of the job is a turning operation.
struct ToolFileNumbers {
  std::unordered_set<int> tools;
  std::unordered_set<int> radii;    // D
  std::unordered_set<int> lengths;  // H
  bool has_turning = false;
};
ToolFileNumbers NumbersOf(const ToolModel& model);

}  // namespace quenlo
