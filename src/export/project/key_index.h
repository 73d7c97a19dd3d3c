// Finds, for a line, the first key in key order that the line begins with,
// without trying every key: one walk down a tree of the keys' characters
// visits exactly the keys that are prefixes of the line. The tree is kept in
// three flat arrays, so that the walk, done for every template line, reads
// little memory.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "export/project/key_rule.h"

namespace quenlo {

class KeyIndex {
 public:
  explicit KeyIndex(const KeyRules& rules);

  static constexpr size_t kNone = static_cast<size_t>(-1);

  // The smallest index i >= from of a rule whose key begins `line`, or kNone.
  size_t FirstMatch(std::string_view line, size_t from) const;

 private:
  struct Edge {
    char c;
    uint32_t node;
  };
  struct Node {
    uint32_t edges = 0, edge_count = 0;  // its edges in edges_
    uint32_t rules = 0, rule_count = 0;  // rules whose key ends here in rules_, ascending
  };

  std::vector<Node> nodes_;
  std::vector<Edge> edges_;
  std::vector<size_t> rules_;
  std::array<uint32_t, 256> first_{};  // the root's child for each first byte (0: none)
};

}  // namespace quenlo
