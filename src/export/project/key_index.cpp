#include "export/project/key_index.h"

#include <algorithm>

namespace quenlo {

KeyIndex::KeyIndex(const KeyRules& rules) : nodes_(1) {
  for (size_t i = 0; i < rules.size(); ++i) {
    const std::string& key = rules[i].key;
    if (key.empty()) continue;
    size_t node = 0;
    for (char c : key) {
      size_t next = Child(node, c);
      if (next == kNone) {
        next = nodes_.size();
        nodes_[node].next += c;
        nodes_[node].children.push_back(next);
        nodes_.emplace_back();
      }
      node = next;
    }
    nodes_[node].rules.push_back(i);
  }
}

size_t KeyIndex::FirstMatch(std::string_view line, size_t from) const {
  size_t best = kNone;
  size_t node = 0;
  for (char c : line) {
    node = Child(node, c);
    if (node == kNone) break;
    const std::vector<size_t>& ending = nodes_[node].rules;
    if (ending.empty()) continue;
    auto at = std::lower_bound(ending.begin(), ending.end(), from);
    if (at != ending.end()) best = std::min(best, *at);
  }
  return best;
}

}  // namespace quenlo
