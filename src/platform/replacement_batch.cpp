// The replacements of one launch, on both back ends.
#include <mutex>
#include <set>

#include "platform/files.h"
#include "platform/temp_names.h"

namespace quenlo::platform {
namespace {

struct Batch {
  std::mutex lock;
  int open = 0;                    // batches alive
  std::set<std::wstring> scanned;  // folders looked through in them
};

Batch& TheBatch() {
  static Batch batch;
  return batch;
}

}  // namespace

ReplacementBatch::ReplacementBatch() {
  Batch& b = TheBatch();
  std::lock_guard<std::mutex> hold(b.lock);
  ++b.open;
}

ReplacementBatch::~ReplacementBatch() {
  {
    Batch& b = TheBatch();
    std::lock_guard<std::mutex> hold(b.lock);
    if (--b.open == 0) b.scanned.clear();
  }
  RemoveSwappedOut();
}

bool StaleScanDue(const std::wstring& folder) {
  Batch& b = TheBatch();
  std::lock_guard<std::mutex> hold(b.lock);
  return b.open == 0 || b.scanned.insert(folder).second;
}

}  // namespace quenlo::platform
