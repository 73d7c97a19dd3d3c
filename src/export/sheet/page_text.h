// The setup sheet's bytes as they are made: appended at a pointer into a
// buffer made large enough ahead. A page is some fifty thousand short pieces
// (tags, attribute names, numbers); appending each to a std::string is a call
// into the string's code and one into the C library's copy, and under Wine the
// runtime's copy of a few bytes is several times slower than a copy made here.
// Short pieces are copied inline in a few fixed-size moves.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace quenlo::sheet {

class PageText {
 public:
  explicit PageText(size_t expected = 0) { Grow(expected); }

  PageText& operator+=(std::string_view text) {
    Put(text.data(), text.size());
    return *this;
  }
  // A literal's length is known where this is inlined: its copy is a few moves.
  PageText& operator+=(const char* text) {
    Put(text, std::strlen(text));
    return *this;
  }
  PageText& operator+=(char c) {
    Room(1);
    *at_++ = c;
    return *this;
  }
  PageText& operator+=(const PageText& other) {
    Put(other.data(), other.size());
    return *this;
  }

  // `text` must not point into this text (growing moves it).
  void Put(const char* text, size_t n) {
    Room(n);
    Copy(at_, text, n);
    at_ += n;
  }
  // "%d".
  void PutD(long long value);

  // At least `n` bytes to write at the pointer returned; then Advance to the
  // end of what was written.
  char* Room(size_t n) {
    if (static_cast<size_t>(end_ - at_) < n) Grow(n);
    return at_;
  }
  void Advance(char* end) { at_ = end; }

  const char* data() const { return bytes_.get(); }
  size_t size() const { return static_cast<size_t>(at_ - bytes_.get()); }
  std::string_view view() const { return {data(), size()}; }
  // The bytes, as a string of their own.
  std::string str() const { return std::string(view()); }

 private:
  // Overlapping fixed-size copies: constant sizes become plain moves.
  static void Copy(char* to, const char* from, size_t n) {
    if (n >= 16 && n <= 32) {
      std::memcpy(to, from, 16);
      std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8 && n < 16) {
      std::memcpy(to, from, 8);
      std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
      std::memcpy(to, from, 4);
      std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n > 0 && n < 4) {
      to[0] = from[0];
      to[n / 2] = from[n / 2];
      to[n - 1] = from[n - 1];
    } else if (n > 32) {
      std::memcpy(to, from, n);
    }
  }
  void Grow(size_t n);

  // Left as the allocator gives it: the room is written before it is read,
  // and under Wine a page's worth of zeros cost a sixth of the page's making.
  std::unique_ptr<char[]> bytes_;
  char* at_ = nullptr;
  char* end_ = nullptr;
};

}  // namespace quenlo::sheet
