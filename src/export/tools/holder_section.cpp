#include "export/tools/holder_section.h"

#include "common/numbers.h"
#include "export/tools/profile_encoding.h"

namespace quenlo {
namespace {

using namespace Cnc::Tool;

// The profile of the main holder of the assembly of `tool_id`, or null.
std::shared_ptr<const TlProfile> HolderProfile(const IToolSystem* tools, int tool_id) {
  std::shared_ptr<const TlAssembly> assembly;
  if (!tools || !tools->GetAssembly(tool_id, assembly) || !assembly) return nullptr;
  std::shared_ptr<const TlHolder> holder = assembly->GetMainHolder();
  if (!holder) return nullptr;
  TlProfileResult result = holder->GetProfile();
  return result.status == 0 ? result.profile : nullptr;
}

}  // namespace

void AppendHolderSection(std::string& out, const HolderList& list, const IToolSystem* tools) {
  for (size_t i = 0; i < list.size(); ++i) {
    const HolderEntry& e = list[i];
    if (e.is_user) {
      std::shared_ptr<const TlProfile> profile = HolderProfile(tools, e.tool_id);
      if (!profile) continue;
      out += '/';
      AppendD(out, static_cast<long long>(i));
      out += " USER_HOLDER ";
      AppendProfile(out, *profile);
      out += '\n';
    } else if (e.dia > 0 && e.length > 0) {
      out += '/';
      AppendD(out, static_cast<long long>(i));
      out += " STD_HOLDER ";
      AppendF(out, e.dia);
      out += ' ';
      AppendF(out, e.length);
      out += '\n';
    }
  }
}

}  // namespace quenlo
