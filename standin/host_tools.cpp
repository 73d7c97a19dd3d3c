// The host's tool library, answered from the job's tools: assemblies, turning
// tools and holders. Every look-up copies what it finds, so a result stays
// valid whatever the host holds afterwards.
#include <algorithm>
#include <limits>

#include "host/tool_library.h"
#include "host_state.h"

using standin::Host;

namespace Cnc::Tool {
namespace {

class JobProfile : public TlProfile {
 public:
  explicit JobProfile(std::vector<standin::ProfileSegment> segments) : segments_(std::move(segments)) {}
  int GetProfileSegmentsCount(bool) const override {
    return static_cast<int>(std::min<size_t>(segments_.size(), std::numeric_limits<int>::max()));
  }
  TlProfileSegment GetSegmentAt(int index) const override {
    TlProfileEnt entity;
    if (index >= 0 && static_cast<size_t>(index) < segments_.size()) {
      const standin::ProfileSegment& s = segments_[static_cast<size_t>(index)];
      entity.kind = s.kind;
      std::copy(s.start, s.start + 3, entity.start);
      std::copy(s.end, s.end + 3, entity.end);
      entity.radius = s.radius;
      entity.direction = s.direction;
    }
    return TlProfileSegment(entity);
  }

 private:
  std::vector<standin::ProfileSegment> segments_;
};

TlProfileResult ResultOf(const standin::Profile& profile) {
  TlProfileResult result;
  if (!profile.present) {
    result.status = 1;
    result.text = L"no profile";
    return result;
  }
  result.status = 0;
  result.profile = std::make_shared<JobProfile>(profile.segments);
  return result;
}

template <typename Item>
class ProfiledItem : public Item {
 public:
  explicit ProfiledItem(standin::Profile profile) : profile_(std::move(profile)) {}
  TlProfileResult GetProfile() const override { return ResultOf(profile_); }

 private:
  standin::Profile profile_;
};

class JobAssembly : public TlAssembly {
 public:
  explicit JobAssembly(const standin::Assembly& a) : a_(a) {}
  std::shared_ptr<const TlToolMill> GetMillTool() const override {
    return std::make_shared<ProfiledItem<TlToolMill>>(a_.profile);
  }
  std::shared_ptr<const TlHolder> GetMainHolder() const override {
    return std::make_shared<ProfiledItem<TlHolder>>(a_.holder_profile);
  }
  double GetToolProjection(bool) const override { return a_.projection; }
  double GetTotalHolderLength() const override { return a_.total_holder_length; }
  const standin::Assembly& data() const { return a_; }

 private:
  standin::Assembly a_;
};

class JobLatheTool : public TlToolLathe {
 public:
  explicit JobLatheTool(const standin::LatheTool& t) : t_(t) {}
  std::shared_ptr<const TlInsert> GetMainInsert() const override {
    return std::make_shared<ProfiledItem<TlInsert>>(t_.insert_profile);
  }
  double GetOverallLength() const override { return t_.length; }

 private:
  standin::LatheTool t_;
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
    for (const standin::Assembly& a : Host().job.assemblies) {
      if (a.id != tool_id) continue;
      assembly = std::make_shared<JobAssembly>(a);
      return true;
    }
    return false;
  }
  bool GetLatheTool(int tool_id, std::shared_ptr<const TlToolLathe>& tool) const override {
    for (const standin::LatheTool& t : Host().job.lathe_tools) {
      if (t.id != tool_id || !t.in_tool_system) continue;
      tool = std::make_shared<JobLatheTool>(t);
      return true;
    }
    return false;
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
  for (const standin::LatheTool& t : Host().job.lathe_tools) {
    if (t.id != tool_id || !t.known) continue;
    tool = std::make_shared<JobLTool>(tool_id);
    return true;
  }
  return false;
}

}  // namespace Cnc::Tool

bool HolderGetHolder(int holder_number, tp_holder* holder) {
  if (!holder) return false;
  for (const standin::Holder& h : Host().job.holders) {
    if (h.number != holder_number) continue;
    holder->num_levels = static_cast<short>(std::min<size_t>(h.levels.size(), std::numeric_limits<short>::max()));
    holder->by_number = h.by_number ? 1 : 0;
    holder->name = h.name;
    holder->levels = h.levels;
    return true;
  }
  return false;
}
