// The job's tool library by number, so that each of the host's look-ups is one
// hash look-up rather than a walk over every tool. Each entry is the one the
// look-up answers with: the first of its id (or holder number) in the job that
// the look-up accepts. Assemblies and turning tools are kept as shared
// immutable copies, so that what a look-up hands out stays valid whatever the
// host holds afterwards, without copying profiles on every look-up.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "job.h"

namespace standin {

struct ToolIndex {
  std::unordered_map<int, std::shared_ptr<const Assembly>> assemblies;
  std::unordered_map<int, std::shared_ptr<const LatheTool>> turning_tools;  // in the tool system
  std::unordered_set<int> known_lathe_tools;                               // the tool manager's
  std::unordered_map<int, size_t> holders;                                 // index in job.holders
};

ToolIndex IndexTools(const Job& job);

}  // namespace standin
