// Finds, for a line, the first key in key order that the line begins with,
// without trying every key: the keys are looked up by the line's prefixes of
// each key length.
#pragma once

#include <string_view>
#include <unordered_map>
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
  std::unordered_map<std::string_view, std::vector<size_t>> by_key_;  // indices ascending
  std::vector<size_t> lengths_;                                        // distinct key lengths
};

}  // namespace quenlo
