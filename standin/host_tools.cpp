// The host's tool library, answered from the job's tools: assemblies, turning
// tools and holders, found through the host's tool index. A result shares the
// index's immutable copy of what it found, so it stays valid whatever the host
// holds afterwards.
#include <algorithm>
#include <limits>

#include "host/tool_library.h"
#include "host_state.h"

using standin::Host;

namespace Cnc::Tool {
namespace {

using ProfilePtr = std::shared_ptr<const standin::Profile>;

class JobProfile : public TlProfile {
 public:
  explicit JobProfile(ProfilePtr profile) : profile_(std::move(profile)) {}
  int GetProfileSegmentsCount(bool) const override {
    return static_cast<int>(std::min<size_t>(profile_->segments.size(), std::numeric_limits<int>::max()));
  }
  TlProfileSegment GetSegmentAt(int index) const override {
    TlProfileEnt entity;
    if (index >= 0 && static_cast<size_t>(index) < profile_->segments.size()) {
      const standin::ProfileSegment& s = profile_->segments[static_cast<size_t>(index)];
      entity.kind = s.kind;
      for (int k = 0; k < 3; ++k) {
        entity.start[k] = s.start[k];
        entity.end[k] = s.end[k];
      }
      entity.radius = s.radius;
      entity.direction = s.direction;
    }
    return TlProfileSegment(entity);
  }

 private:
  ProfilePtr profile_;
};

TlProfileResult ResultOf(const ProfilePtr& profile) {
  TlProfileResult result;
  if (!profile->present) {
    result.status = 1;
    result.text = L"no profile";
    return result;
  }
  result.status = 0;
  result.profile = std::make_shared<JobProfile>(profile);
  return result;
}

template <typename Item>
class ProfiledItem : public Item {
 public:
  explicit ProfiledItem(ProfilePtr profile) : profile_(std::move(profile)) {}
  TlProfileResult GetProfile() const override { return ResultOf(profile_); }

 private:
  ProfilePtr profile_;
};

class JobAssembly : public TlAssembly {
 public:
  explicit JobAssembly(std::shared_ptr<const standin::Assembly> a) : a_(std::move(a)) {}
  std::shared_ptr<const TlToolMill> GetMillTool() const override {
    return std::make_shared<ProfiledItem<TlToolMill>>(ProfilePtr(a_, &a_->profile));
  }
  std::shared_ptr<const TlHolder> GetMainHolder() const override {
    return std::make_shared<ProfiledItem<TlHolder>>(ProfilePtr(a_, &a_->holder_profile));
  }
  double GetToolProjection(bool) const override { return a_->projection; }
  double GetTotalHolderLength() const override { return a_->total_holder_length; }
  const standin::Assembly& data() const { return *a_; }

 private:
  std::shared_ptr<const standin::Assembly> a_;
};

class JobLatheTool : public TlToolLathe {
 public:
  explicit JobLatheTool(std::shared_ptr<const standin::LatheTool> t) : t_(std::move(t)) {}
  std::shared_ptr<const TlInsert> GetMainInsert() const override {
    return std::make_shared<ProfiledItem<TlInsert>>(ProfilePtr(t_, &t_->insert_profile));
  }
  double GetOverallLength() const override { return t_->length; }

 private:
  std::shared_ptr<const standin::LatheTool> t_;
};

class JobLTool : public ILTool {
 public:
  explicit JobLTool(int id) : id_(id) {}
  int GetToolId() const override { return id_; }

 private:
  int id_;
};

class JobToolSystem : public IToolSystem {
 public:
  bool GetAssembly(int tool_id, std::shared_ptr<const TlAssembly>& assembly) const override {
    auto found = Host().tools.assemblies.find(tool_id);
    if (found == Host().tools.assemblies.end()) return false;
    assembly = std::make_shared<JobAssembly>(found->second);
    return true;
  }
  bool GetLatheTool(int tool_id, std::shared_ptr<const TlToolLathe>& tool) const override {
    auto found = Host().tools.turning_tools.find(tool_id);
    if (found == Host().tools.turning_tools.end()) return false;
    tool = std::make_shared<JobLatheTool>(found->second);
    return true;
  }
};

}  // namespace

const IToolSystem* GetToolSystem() {
  static JobToolSystem system;
  return &system;
}

tp_tool TpToolConverter::ToOld(const TlAssembly& assembly) {
  tp_tool old;
  const auto* job_assembly = dynamic_cast<const JobAssembly*>(&assembly);
  if (!job_assembly) return old;
  const standin::Assembly& a = job_assembly->data();
  old.tool_id = a.id;
  old.type_code = a.type_code;
  old.size_s = a.size_s;
  old.overall_length = a.overall_length;
  old.holder_dia = a.holder_dia;
  old.holder_length = a.holder_length;
  return old;
}

TlMgr::TlMgr() = default;
TlMgr::~TlMgr() = default;

bool TlMgr::Find(int tool_id, std::shared_ptr<ILTool>& tool) {
  if (!Host().tools.known_lathe_tools.count(tool_id)) return false;
  tool = std::make_shared<JobLTool>(tool_id);
  return true;
}

}  // namespace Cnc::Tool

bool HolderGetHolder(int holder_number, tp_holder* holder) {
  if (!holder) return false;
  auto found = Host().tools.holders.find(holder_number);
  if (found == Host().tools.holders.end()) return false;
  const standin::Holder& h = Host().job.holders[found->second];
  holder->num_levels = static_cast<short>(std::min<size_t>(h.levels.size(), std::numeric_limits<short>::max()));
  holder->by_number = h.by_number ? 1 : 0;
  holder->name = h.name;
  holder->levels = h.levels;
  return true;
}
