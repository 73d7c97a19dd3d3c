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

std::vector<HolderRecord> HolderRecords(const HolderList& list, const IToolSystem* tools) {
  std::vector<HolderRecord> holders(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    const HolderEntry& e = list[i];
    HolderRecord& h = holders[i];
    h.dia = e.dia;
    h.length = e.length;
    h.name = e.name;
    if (e.is_user) {
      if (std::shared_ptr<const TlProfile> profile = HolderProfile(tools, e.tool_id)) {
        h.kind = HolderRecord::Kind::kUser;
        h.profile = ProfilePieces(*profile);
      }
    } else if (e.dia > 0 && e.length > 0) {
      h.kind = HolderRecord::Kind::kStandard;
    }
  }
  return holders;
}

void AppendHolderSection(std::string& out, const std::vector<HolderRecord>& holders) {
  for (size_t i = 0; i < holders.size(); ++i) {
    const HolderRecord& h = holders[i];
    if (h.kind == HolderRecord::Kind::kNoLine) continue;
    out += '/';
    AppendD(out, static_cast<long long>(i));
    if (h.kind == HolderRecord::Kind::kUser) {
      out += " USER_HOLDER ";
      AppendProfile(out, h.profile);
    } else {
      out += " STD_HOLDER ";
      AppendF(out, h.dia);
      out += ' ';
      AppendF(out, h.length);
    }
    out += '\n';
  }
}

}  // namespace quenlo
