// What the benchmarks run on: a large generated job, a large project template,
// a full settings store, and the timing of repeated runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "job.h"

namespace bench {

// `scale` times the base job: 5,000 operations over 500 tools with
// 40-segment profiles, 300 holders, 500 D and 500 H numbers.
standin::Job MakeToolJob(int scale);

// A project template of about `lines` lines that holds every key, all 315
// work-offset headers and `stock_blocks` stock blocks.
std::string MakeTemplate(int lines, int stock_blocks);

// The 339 keys and values a launch stores, in the order it stores them: long
// Japanese paths in `folder` (the five file paths, `exe` given), every number
// and every row not zero. `variant` changes every value.
std::vector<std::pair<std::wstring, std::wstring>> FullStoreValues(const std::wstring& folder,
                                                                   const std::wstring& exe, int variant);
// An NC program that selects every tool of `job` once, with its length
// offset, over G54 ... G59.
std::string ProgramSelectingEveryTool(const standin::Job& job);

// The 336 keys the link run reads (all but the three of the typed work origin,
// which the panel reads).
std::vector<std::wstring> RunReadKeys();

// The folder `name` inside `parent`, created, ending in a separator.
std::wstring MakeFolder(const std::wstring& parent, const std::wstring& name);

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Milliseconds of each of `runs` calls of `f`, each after an untimed call of
// `setup`; their median.
template <typename S, typename F>
double MedianMs(int runs, S&& setup, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    setup();
    auto start = std::chrono::steady_clock::now();
    f();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return Median(std::move(times));
}

template <typename F>
double MedianMs(int runs, F&& f) {
  return MedianMs(runs, [] {}, f);
}

// One row of a results table: | build | job | ours | reference | ratio |.
void PrintRow(const std::string& job, const std::string& ours_what, double ours_ms, const std::string& ref_what,
              double ref_ms);
void PrintHeader();

}  // namespace bench
