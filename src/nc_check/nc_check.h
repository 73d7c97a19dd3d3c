// The check of the NC program before the simulator is launched: what the
// program uses that the hand-off (the tool file as it would be written now,
// and the work-offset table) does not carry.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "nc_check/nc_reader.h"
#include "platform/clock.h"
#include "settings/link_settings.h"

namespace quenlo::nc_check {

// An NC file as the launch read it: its size and time, and what it uses.
struct NcFileReading {
  bool found = false;  // the file could be read
  platform::FileFacts facts;
  NcReading reading;
  bool tools_read = true;  // T words were read (the job has no turning operation)
};
NcFileReading ReadNcFileWithFacts(const std::wstring& nc_file, bool tools_read);

// The findings for the program at `nc_file`, in the order of the program; an
// NC file that cannot be read is the one finding. Nothing is written. T words
// are checked only when the job has no turning operation (turning programs
// number tools and offsets as station and offset). `read`, when given,
// receives the file as the check read it.
std::vector<std::wstring> CheckNcProgram(const std::wstring& nc_file, const AxisRow* work_offsets,
                                         NcFileReading* read = nullptr);

// The Yes/No question that lists the findings: at most kListedFindings of them,
// then how many more.
inline constexpr size_t kListedFindings = 10;
std::wstring LaunchQuestion(const std::vector<std::wstring>& findings);
// The lines of the findings as the question lists them.
std::vector<std::wstring> ListedFindings(const std::vector<std::wstring>& findings);

// How the check went before a launch, for the setup sheet.
struct CheckOutcome {
  enum State { kNotRun, kOff, kClean, kFindings } state = kNotRun;
  std::vector<std::wstring> findings;  // kFindings: the user launched with them
  // kClean, kFindings: the program as the check read it, the one the user
  // launched, which the sheet then need not read again.
  std::shared_ptr<const NcFileReading> program;
};

}  // namespace quenlo::nc_check
