#include "export/project/key_index.h"

#include <algorithm>

namespace quenlo {

KeyIndex::KeyIndex(const KeyRules& rules) {
  // Built as a tree of nodes that own their edges and rules, then laid out
  // flat in the order the nodes were made.
  struct Building {
    std::vector<Edge> edges;
    std::vector<size_t> rules;
  };
  std::vector<Building> tree(1);
  for (size_t i = 0; i < rules.size(); ++i) {
    const std::string& key = rules[i].key;
    if (key.empty()) continue;
    uint32_t node = 0;
    for (char c : key) {
      auto edge = std::find_if(tree[node].edges.begin(), tree[node].edges.end(), [c](const Edge& e) { return e.c == c; });
      if (edge != tree[node].edges.end()) {
        node = edge->node;
        continue;
      }
      const auto next = static_cast<uint32_t>(tree.size());
      tree[node].edges.push_back({c, next});
      tree.emplace_back();
      node = next;
    }
    tree[node].rules.push_back(i);
  }
  nodes_.resize(tree.size());
  for (size_t n = 0; n < tree.size(); ++n) {
    nodes_[n].edges = static_cast<uint32_t>(edges_.size());
    nodes_[n].edge_count = static_cast<uint32_t>(tree[n].edges.size());
    edges_.insert(edges_.end(), tree[n].edges.begin(), tree[n].edges.end());
    nodes_[n].rules = static_cast<uint32_t>(rules_.size());
    nodes_[n].rule_count = static_cast<uint32_t>(tree[n].rules.size());
    rules_.insert(rules_.end(), tree[n].rules.begin(), tree[n].rules.end());
  }
  for (const Edge& edge : tree[0].edges) first_[static_cast<unsigned char>(edge.c)] = edge.node;
}

size_t KeyIndex::FirstMatch(std::string_view line, size_t from) const {
  // Most lines begin with no key's first character: one look in a table.
  if (line.empty() || first_[static_cast<unsigned char>(line[0])] == 0) return kNone;
  size_t best = kNone;
  const Node* node = &nodes_[0];
  for (char c : line) {
    const Edge* edge = edges_.data() + node->edges;
    const Edge* end = edge + node->edge_count;
    while (edge != end && edge->c != c) ++edge;
    if (edge == end) break;
    node = &nodes_[edge->node];
    if (node->rule_count == 0) continue;
    const size_t* first = rules_.data() + node->rules;
    const size_t* at = std::lower_bound(first, first + node->rule_count, from);
    if (at != first + node->rule_count) best = std::min(best, *at);
  }
  return best;
}

}  // namespace quenlo
