// The rewrite of the project template: every line is tried against every key
// in order; a matched line is replaced, and the keys after it see the
// replacement. Block keys keep their own line and replace the lines after it.
#pragma once

#include <string>
#include <string_view>

#include "export/project/key_index.h"
#include "export/project/key_rule.h"

namespace quenlo {

// The project file's bytes: the template rewritten by `rules`, every line
// ending in CR LF except a last template line without a line end that no key
// replaced. `keys_met`, when given, counts the keys that matched a line.
std::string RewriteTemplate(std::string_view template_bytes, const KeyRules& rules, size_t* keys_met = nullptr);

// The same with the rules' index made beforehand (KeyIndex(rules)), for a
// caller that rewrites many templates by the same rules.
std::string RewriteTemplate(std::string_view template_bytes, const KeyRules& rules, const KeyIndex& index,
                            size_t* keys_met = nullptr);

}  // namespace quenlo
