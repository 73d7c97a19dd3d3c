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
  const size_t room = std::max(2 * static_cast<size_t>(end_ - bytes_.get()), used + n + 64);
  std::unique_ptr<char[]> bytes(new char[room]);
  if (used) std::memcpy(bytes.get(), bytes_.get(), used);
  bytes_ = std::move(bytes);
  at_ = bytes_.get() + used;
  end_ = bytes_.get() + room;
}

}  // namespace quenlo::sheet
