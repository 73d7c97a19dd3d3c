// The D (cutter radius) and H (tool length) sections of the tool file: one
// line per distinct offset number of the milling operations whose tool the
// tool system knows, in operation order.
#pragma once

#include <string>
#include <unordered_set>

#include "host/operations.h"
#include "host/tool_library.h"

namespace quenlo {

enum class OffsetKind {
  kRadius,  // "D<d number> <half the operation tool's diameter>"
  kLength,  // "H<h number> <projection (host's current units) + whole holder length>"
};

class OffsetSection {
 public:
  OffsetSection(const Cnc::Tool::IToolSystem* tools, OffsetKind kind) : tools_(tools), kind_(kind) {}
  void Visit(const operation& op);
  const std::string& text() const { return text_; }
  const std::unordered_set<int>& written() const { return written_; }

 private:
  const Cnc::Tool::IToolSystem* tools_;
  OffsetKind kind_;
  std::unordered_set<int> written_;
  std::string text_;
};

}  // namespace quenlo
