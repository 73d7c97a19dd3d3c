#include "export/project/key_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quenlo {
namespace {

// What the index must give: the first rule from `from` on whose key begins
// the line, found by trying every key.
size_t FirstMatchByHand(const KeyRules& rules, const std::string& line, size_t from) {
  for (size_t i = from; i < rules.size(); ++i)
    if (!rules[i].key.empty() && line.compare(0, rules[i].key.size(), rules[i].key) == 0) return i;
  return KeyIndex::kNone;
}

// Keys over a small alphabet, so that they share prefixes: nodes with one
// edge and with many, bytes above 0x7F (Shift_JIS text in a key), repeated
// keys, keys that are prefixes of others, and an empty key, which matches
// nothing.
TEST(KeyIndex, FindsWhatTryingEveryKeyFinds) {
  const std::string alphabet = std::string(".=_ab") + "\x83\x8C\x95\x5C" + "0123456789";
  std::mt19937 random(7);
  auto word = [&](size_t longest) {
    std::string text(random() % (longest + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  // Most keys of a project template share a long start (".setting."): lines
  // that leave it anywhere, or end inside it.
  const std::string shared = ".setting.";
  KeyRules rules;
  for (int i = 0; i < 300; ++i) rules.push_back(LineRule(word(4), "x"));
  for (int i = 0; i < 100; ++i) rules.push_back(LineRule(shared + word(3) + (i % 2 ? shared : ""), "y"));
  rules.push_back(LineRule(rules[5].key, "again"));
  rules.push_back(LineRule("", "never"));
  const KeyIndex index(rules);
  for (int i = 0; i < 40000; ++i) {
    std::string line = word(7);
    if (i % 2) line = (shared + word(4) + shared + word(2)).substr(i % 6 ? 0 : random() % 8, random() % 30) + line;
    const size_t from = random() % (rules.size() + 1);
    ASSERT_EQ(index.FirstMatch(line, from), FirstMatchByHand(rules, line, from)) << line << " from " << from;
  }
}

}  // namespace
}  // namespace quenlo
