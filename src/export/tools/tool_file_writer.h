// The simulator's tool file (.tol), written from the tools of the host's
// operations.
#pragma once

#include <functional>
#include <string>

#include "export/tools/tool_model.h"

namespace quenlo {

// Writes the tool file at `path`. True when it was written; otherwise there is
// no tool file at `path` (unless a read-only one stays), and `failure` holds
// the message that says so, for the caller to show.
bool WriteToolFile(std::wstring path, std::wstring& failure);

// The same, keeping the tool model the file was written from in `model`, for
// the launch's other writers (empty when the host's walk failed). When given,
// `model_ready` is called with it once the file's bytes are made from it,
// before they are written: the setup sheet starts from it there, and is made
// while the file waits for the disk rather than while its bytes are made.
bool WriteToolFile(std::wstring path, ToolModel& model, std::wstring& failure,
                   const std::function<void(const ToolModel&)>& model_ready = {});

// The same, showing the failure message itself.
bool WriteToolFile(std::wstring path);

}  // namespace quenlo
