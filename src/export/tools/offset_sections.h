// The D (cutter radius) and H (tool length) entries of the tool file: one per
// distinct offset number of the milling operations whose tool the tool system
// knows, in operation order.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "export/tools/tool_model.h"
#include "host/operations.h"
#include "host/tool_library.h"

namespace quenlo {

enum class OffsetKind {
  kRadius,  // D <d number>: half the operation tool's diameter
  kLength,  // H <h number>: projection (host's current units) + whole holder length
};

class OffsetPass {
 public:
  OffsetPass(const Cnc::Tool::IToolSystem* tools, OffsetKind kind, std::vector<OffsetEntry>& entries)
      : tools_(tools), kind_(kind), entries_(entries) {}
  void Visit(const operation& op);

 private:
  const Cnc::Tool::IToolSystem* tools_;
  OffsetKind kind_;
  std::vector<OffsetEntry>& entries_;
  std::unordered_set<int> taken_;
};

// Appends the section's lines, "D<number> <value>" or "H<number> <value>".
void AppendOffsetSection(std::string& out, OffsetKind kind, const std::vector<OffsetEntry>& entries);

}  // namespace quenlo
