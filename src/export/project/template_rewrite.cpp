#include "export/project/template_rewrite.h"

#include "export/project/template_text.h"

namespace quenlo {
namespace {

// The line being worked on: a template line or a replacement.
struct Buffer {
  std::string_view text;
  bool from_template = true;
  bool has_end = true;
};

class Rewriter {
 public:
  Rewriter(std::string_view template_bytes, const KeyRules& rules, const KeyIndex& index)
      : text_(template_bytes), rules_(rules), index_(index) {
    out_.reserve(template_bytes.size() + template_bytes.size() / 4);
  }

  size_t keys_met() const { return keys_met_; }

  std::string Run() {
    TemplateLine line;
    while (text_.Next(line)) {
      Buffer buffer{line.text, true, line.has_end};
      ApplyRules(buffer);
      Emit(buffer, false);
    }
    Flush();
    return std::move(out_);
  }

 private:
  // Every key in order against the buffer as it stands after the keys before.
  void ApplyRules(Buffer& buffer) {
    for (size_t i = index_.FirstMatch(buffer.text, 0); i != KeyIndex::kNone;
         i = index_.FirstMatch(buffer.text, i + 1)) {
      const KeyRule& rule = rules_[i];
      ++keys_met_;
      if (rule.on_match) rule.on_match();
      if (rule.is_block())
        TakeBlock(rule, buffer);
      else
        buffer = Buffer{rule.replacement, false, true};
    }
  }

  // The key line is written as it stands; each step then takes the next
  // template line. Where the template ends early, a kept line that is not
  // there is skipped and a replacement is still written.
  void TakeBlock(const KeyRule& rule, Buffer& buffer) {
    Emit(buffer, true);
    for (size_t k = 0; k < rule.steps.size(); ++k) {
      TemplateLine line;
      bool fresh = text_.Next(line);
      if (fresh) buffer = Buffer{line.text, true, line.has_end};
      if (rule.steps[k])
        buffer = Buffer{*rule.steps[k], false, true};
      else if (!fresh)
        continue;
      if (k + 1 < rule.steps.size()) Emit(buffer, true);
    }
  }

  // More output after this line forces its line end.
  void Emit(const Buffer& buffer, bool more_follows) {
    // Most lines go out as the template has them, CR LF and all: those are
    // gathered and copied in one piece where they follow one another.
    if (buffer.from_template && buffer.has_end && text_.IsVerbatim() &&
        buffer.text.data()[buffer.text.size()] == '\r') {
      std::string_view line(buffer.text.data(), buffer.text.size() + 2);
      if (verbatim_.data() + verbatim_.size() == line.data()) {
        verbatim_ = std::string_view(verbatim_.data(), verbatim_.size() + line.size());
      } else {
        Flush();
        verbatim_ = line;
      }
      return;
    }
    Flush();
    if (buffer.from_template)
      text_.AppendOutput(buffer.text, out_);
    else
      out_.append(buffer.text.data(), buffer.text.size());
    if (buffer.has_end || more_follows) out_ += "\r\n";
  }

  void Flush() {
    out_.append(verbatim_.data(), verbatim_.size());
    verbatim_ = {};
  }

  TemplateText text_;
  std::string_view verbatim_;  // template lines, line ends included, not yet written
  const KeyRules& rules_;
  const KeyIndex& index_;
  std::string out_;
  size_t keys_met_ = 0;
};

}  // namespace

std::string RewriteTemplate(std::string_view template_bytes, const KeyRules& rules, size_t* keys_met) {
  return RewriteTemplate(template_bytes, rules, KeyIndex(rules), keys_met);
}

std::string RewriteTemplate(std::string_view template_bytes, const KeyRules& rules, const KeyIndex& index,
                            size_t* keys_met) {
  Rewriter rewriter(template_bytes, rules, index);
  std::string out = rewriter.Run();
  if (keys_met) *keys_met = rewriter.keys_met();
  return out;
}

}  // namespace quenlo
