// The host's tool library, as far as the tool file writer reads it: tool
// assemblies (milling tool, main holder, projection), turning tools and their
// inserts, the profiles of all of these as segments, the conversion of an
// assembly to the legacy tool record, the tool manager, and the legacy holder
// record.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "host/host_api.h"
#include "host/operations.h"

namespace Cnc::Tool {

// One profile entity: 'A' arc, 'L' line, 'P' point (the host may report other
// letters). Points are x, y, z.
struct TlProfileEnt {
  char kind = 0;
  double start[3] = {0, 0, 0};
  double end[3] = {0, 0, 0};
  double radius = 0;
  double direction = 0;  // > 0: one turning sense; otherwise the other
};

// A segment of a profile, convertible to its entity.
class TlProfileSegment {
 public:
  explicit TlProfileSegment(const TlProfileEnt& entity) : entity_(entity) {}
  operator TlProfileEnt() const { return entity_; }

 private:
  TlProfileEnt entity_;
};

class TlProfile {
 public:
  virtual ~TlProfile() = default;
  virtual int GetProfileSegmentsCount(bool option) const = 0;
  // `index` from 0 to count - 1.
  virtual TlProfileSegment GetSegmentAt(int index) const = 0;
};

// What an item's profile request gives: status 0 when the profile is there.
struct TlProfileResult {
  int status = 1;
  std::shared_ptr<const TlProfile> profile;
  std::wstring text;
};

// A part of an assembly that has a profile: a milling tool, an insert, a holder.
class TlAssemblyItem {
 public:
  virtual ~TlAssemblyItem() = default;
  virtual TlProfileResult GetProfile() const = 0;
};

class TlToolMill : public TlAssemblyItem {};
class TlInsert : public TlAssemblyItem {};
class TlHolder : public TlAssemblyItem {};

// A tool as mounted: tool, holder and their lengths.
class TlAssembly {
 public:
  virtual ~TlAssembly() = default;
  virtual std::shared_ptr<const TlToolMill> GetMillTool() const = 0;
  virtual std::shared_ptr<const TlHolder> GetMainHolder() const = 0;
  // The tool's projection out of its holder.
  virtual double GetToolProjection(bool metric) const = 0;
  virtual double GetTotalHolderLength() const = 0;
};

class TlToolLathe {
 public:
  virtual ~TlToolLathe() = default;
  virtual std::shared_ptr<const TlInsert> GetMainInsert() const = 0;
  // The tool's overall length.
  virtual double GetOverallLength() const = 0;
};

// The tool manager's turning-tool interface.
class ILTool {
 public:
  virtual ~ILTool() = default;
  virtual int GetToolId() const = 0;
};

class IToolSystem {
 public:
  virtual ~IToolSystem() = default;
  // True and the assembly when the tool id is known.
  virtual bool GetAssembly(int tool_id, std::shared_ptr<const TlAssembly>& assembly) const = 0;
  // True and the turning tool when the tool id is known as one.
  virtual bool GetLatheTool(int tool_id, std::shared_ptr<const TlToolLathe>& tool) const = 0;
};

// The host's tool system; null when the host has none.
HOST_API const IToolSystem* GetToolSystem();

class HOST_API TpToolConverter {
 public:
  // The legacy tool record of an assembly.
  static tp_tool ToOld(const TlAssembly& assembly);
};

class HOST_API TlMgr {
 public:
  TlMgr();
  ~TlMgr();
  TlMgr(const TlMgr&) = delete;
  TlMgr& operator=(const TlMgr&) = delete;
  // True when the tool manager knows the tool id.
  bool Find(int tool_id, std::shared_ptr<ILTool>& tool);
};

}  // namespace Cnc::Tool

// The legacy holder record.
struct tp_holder {
  short num_levels = 0;  // > 0 when `levels` is filled; 0: no holder data
  short by_number = 0;   // non-zero: holders are told apart by number
  std::wstring name;
  std::vector<std::array<double, 3>> levels;  // diameter, -, length
};

// Fills `holder` for the host's holder number. False when the number is unknown
// (the record is then left as it was).
HOST_API bool HolderGetHolder(int holder_number, tp_holder* holder);
