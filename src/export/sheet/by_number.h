// Values looked up by a tool or row number, the first given for a number
// winning: sorted once and looked up by halving. The sheet looks up every
// tool this way at every launch, where a hash map would allocate once a number.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace quenlo::sheet {

template <typename T>
class ByNumber {
 public:
  void Reserve(size_t n) { entries_.reserve(n); }
  void Add(int number, T value) { entries_.emplace_back(number, std::move(value)); }
  // After the last Add, before the first Find.
  void Sort() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  const T* Find(int number) const {
    auto it = std::lower_bound(entries_.begin(), entries_.end(), number,
                               [](const auto& e, int n) { return e.first < n; });
    return it != entries_.end() && it->first == number ? &it->second : nullptr;
  }
  // Every value given for `number`, in the order given.
  template <typename F>
  void ForEach(int number, F f) const {
    for (auto it = std::lower_bound(entries_.begin(), entries_.end(), number,
                                    [](const auto& e, int n) { return e.first < n; });
         it != entries_.end() && it->first == number; ++it)
      f(it->second);
  }

 private:
  std::vector<std::pair<int, T>> entries_;
};

}  // namespace quenlo::sheet
