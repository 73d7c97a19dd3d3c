#include "export/project/key_rule.h"

namespace quenlo {

KeyRule LineRule(std::string key, std::string replacement) {
  KeyRule rule;
  rule.key = std::move(key);
  rule.replacement = std::move(replacement);
  return rule;
}

}  // namespace quenlo
