#pragma once

#include <exception>
#include <utility>

// Runs an action when the scope ends, whether normally or by an exception. An exception from the
// action goes on to the caller, except while another one unwinds the stack: that one is what went
// wrong first, and two at once would end the program.
template <class F> class TScopeExit {
public:
  explicit TScopeExit(F action) : FAction(std::move(action)), FUnwinding(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == FUnwinding) {
      FAction();
      return;
    }
    try {
      FAction();
    } catch (...) {
    }
  }
  TScopeExit(const TScopeExit &) = delete;
  TScopeExit &operator=(const TScopeExit &) = delete;

private:
  F FAction;
  int FUnwinding;
};
