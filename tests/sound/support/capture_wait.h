#pragma once

#include <functional>

// Serves the GUI thread's events and the notification steps until `done` holds or `timeoutMs`
// has passed; `tick` runs on every round (a virtual device's clock, for instance). Answers `done`.
// A generous deadline only keeps a broken build from hanging; no test measures time with it.
bool ServeUntil(const std::function<bool()> &done, int timeoutMs = 10000, const std::function<void()> &tick = {});
