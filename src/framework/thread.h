#pragma once

#include <atomic>
#include <functional>
#include <thread>

// A worker thread. Execute runs on the new thread; Synchronize hands one step to the GUI thread
// and waits until it has run there. The GUI thread serves those steps from its event loop and
// also inside WaitFor, so ending a thread that is just then asking for a step cannot deadlock.
//
// A derived class must end its thread (Terminate, then WaitFor) in its own destructor, before
// the members that Execute uses are gone.
class TThread {
public:
  explicit TThread(bool createSuspended);
  virtual ~TThread();
  TThread(const TThread &) = delete;
  TThread &operator=(const TThread &) = delete;

  void Resume(); // starts a thread created suspended
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  // Waits for Execute to return; on the GUI thread it serves synchronized steps meanwhile.
  void WaitFor();

  // Runs `method` on the GUI thread and waits for it; an exception it raises is raised again here.
  // Called on the GUI thread itself it simply runs the method.
  static void Synchronize(const std::function<void()> &method);
  // Serves the waiting steps (GUI thread only); answers whether there were any.
  static bool CheckSynchronize();
  static bool IsGuiThread();

protected:
  virtual void Execute() = 0;

private:
  void Run();

  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  bool FStarted = false;
};
