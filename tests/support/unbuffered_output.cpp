// Test programs write their progress unbuffered: a program that dies at once
// (a crash; under Wine, a process that ends before it starts) still shows
// which test it was in instead of nothing at all.
#include <cstdio>

namespace {
[[maybe_unused]] const int kUnbuffered = [] { return std::setvbuf(stdout, nullptr, _IONBF, 0); }();
}  // namespace
