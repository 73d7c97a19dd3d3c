#include "export/sheet/page_text.h"

#include <algorithm>
#include <charconv>

namespace quenlo::sheet {

void PageText::PutD(long long value) {
  char* at = Room(20);
  Advance(std::to_chars(at, at + 20, value).ptr);
}

void PageText::Grow(size_t n) {
  const size_t used = at_ ? size() : 0;
  bytes_.resize(std::max(bytes_.size() * 2, used + n + 64));
  at_ = bytes_.data() + used;
  end_ = bytes_.data() + bytes_.size();
}

std::string PageText::Take() {
  bytes_.resize(size());
  std::string bytes = std::move(bytes_);
  bytes_.clear();
  at_ = end_ = bytes_.data();
  return bytes;
}

}  // namespace quenlo::sheet
