#pragma once

#include <utility>

// Runs an action when the scope ends, whether normally or by an exception.
template <class F> class TScopeExit {
public:
  explicit TScopeExit(F action) : FAction(std::move(action)) {}
  ~TScopeExit() noexcept(false) { FAction(); }
  TScopeExit(const TScopeExit &) = delete;
  TScopeExit &operator=(const TScopeExit &) = delete;

private:
  F FAction;
};
