// Finds, for a line, the first key in key order that the line begins with,
// without trying every key: one walk down a tree of the keys' characters
// visits exactly the keys that are prefixes of the line.
#pragma once

#include <string>
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
  struct Node {
    std::string next;             // the characters that lead on from here
    std::vector<size_t> children; // the node each of them leads to
    std::vector<size_t> rules;    // rules whose key ends here, ascending
  };
  size_t Child(size_t node, char c) const {
    const Node& n = nodes_[node];
    for (size_t i = 0; i < n.next.size(); ++i)
      if (n.next[i] == c) return n.children[i];
    return kNone;
  }

  std::vector<Node> nodes_;
};

}  // namespace quenlo
