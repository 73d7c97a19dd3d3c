#include "export/sheet/sheet_thread.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/process.h"

namespace quenlo::sheet {
namespace {

struct SheetThread {
  std::mutex lock;
  std::condition_variable changed;
  std::function<void()> task;  // waiting to run
  bool busy = false;           // a task waits or runs
  bool started = false;

  void Loop() {
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
      changed.wait(hold, [this] { return task != nullptr; });
      std::function<void()> run = std::move(task);
      task = nullptr;
      hold.unlock();
      try {
        run();
      } catch (...) {
        // the task reports its own failures; nothing may end this thread
      }
      hold.lock();
      busy = false;
      changed.notify_all();
    }
  }
};

// Never destroyed: the thread may wait in it until the process ends.
SheetThread& TheThread() {
  static SheetThread* thread = new SheetThread;
  return *thread;
}

}  // namespace

bool StartOnSheetThread(std::function<void()> task) {
  SheetThread& t = TheThread();
  std::unique_lock<std::mutex> hold(t.lock);
  t.changed.wait(hold, [&t] { return !t.busy; });
  if (!t.started) {
    try {
      std::thread(&SheetThread::Loop, &t).detach();
    } catch (...) {
      return false;
    }
    t.started = true;
    // The thread waits in this library's code between launches.
    platform::KeepThisLibraryLoaded();
  }
  t.task = std::move(task);
  t.busy = true;
  t.changed.notify_all();
  return true;
}

void WaitForSheetThread() {
  SheetThread& t = TheThread();
  std::unique_lock<std::mutex> hold(t.lock);
  t.changed.wait(hold, [&t] { return !t.busy; });
}

}  // namespace quenlo::sheet
