// The stand-in host's job-file loader: any bytes give either a job or one
// error that names the file and what was expected; never a crash, never an
// exception.
#include <string>

#include "fuzz_check.h"
#include "job.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  standin::Job job;
  standin::JobError error;
  bool loaded = false;
  try {
    loaded = standin::ParseJob(text, L"/fuzz/job.json", job, error);
  } catch (...) {
    FUZZ_CHECK(!"an exception left the job loader");
  }
  if (!loaded) {
    FUZZ_CHECK(error.message.compare(0, 15, "/fuzz/job.json:") == 0);
    FUZZ_CHECK(error.message.find("expected") != std::string::npos);
    return 0;
  }
  FUZZ_CHECK(error.message.empty());
  FUZZ_CHECK(job.job_path == L"/fuzz/job.json");
  FUZZ_CHECK(job.code_page >= 1 && job.code_page <= 65535);
  for (const std::wstring* path : {&job.user_folder, &job.addin_folder, &job.registry})
    FUZZ_CHECK(path->empty() || (*path)[0] == L'/' || (*path)[0] == L'\\' || path->find(L':') != std::wstring::npos);
  return 0;
}
