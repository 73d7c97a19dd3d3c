#include "tool_index.h"

namespace standin {

ToolIndex IndexTools(const Job& job) {
  ToolIndex index;
  for (const Assembly& a : job.assemblies)
    if (!index.assemblies.count(a.id)) index.assemblies.emplace(a.id, std::make_shared<const Assembly>(a));
  for (const LatheTool& t : job.lathe_tools) {
    if (t.in_tool_system && !index.turning_tools.count(t.id))
      index.turning_tools.emplace(t.id, std::make_shared<const LatheTool>(t));
    if (t.known) index.known_lathe_tools.insert(t.id);
  }
  for (size_t i = 0; i < job.holders.size(); ++i) index.holders.emplace(job.holders[i].number, i);
  return index;
}

}  // namespace standin
