#pragma once

#include <array>
#include <cstdint>

// The buffer a source selection travels in: one four-byte entry per place.
constexpr int SelectionEntries = 31;
using TSelectionBuffer = std::array<uint32_t, SelectionEntries>;

// Where an input's state lies in the selection buffer: at its source position for a
// single-select selector, at four times that otherwise. -1 when that is outside the buffer, so
// a mixer with many sources still works for the first ones.
constexpr int SelectionEntry(int item, bool selectIsMux) {
  const int64_t entry = selectIsMux ? int64_t{item} : int64_t{item} * 4;
  return entry >= 0 && entry < SelectionEntries ? static_cast<int>(entry) : -1;
}
