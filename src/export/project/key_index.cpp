#include "export/project/key_index.h"

#include <algorithm>

namespace quenlo {

KeyIndex::KeyIndex(const KeyRules& rules) {
  for (size_t i = 0; i < rules.size(); ++i) {
    const std::string& key = rules[i].key;
    if (key.empty()) continue;
    by_key_[key].push_back(i);
    if (std::find(lengths_.begin(), lengths_.end(), key.size()) == lengths_.end()) lengths_.push_back(key.size());
  }
}

size_t KeyIndex::FirstMatch(std::string_view line, size_t from) const {
  size_t best = kNone;
  for (size_t length : lengths_) {
    if (length > line.size()) continue;
    auto it = by_key_.find(line.substr(0, length));
    if (it == by_key_.end()) continue;
    auto at = std::lower_bound(it->second.begin(), it->second.end(), from);
    if (at != it->second.end()) best = std::min(best, *at);
  }
  return best;
}

}  // namespace quenlo
