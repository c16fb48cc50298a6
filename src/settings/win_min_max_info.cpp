#include "settings/win_min_max_info.h"

#include <algorithm>
#include <iterator>

void TWinMinMaxInfo::SetValue(int index, int value) {
  if (FValues[index] == value)
    return;
  FValues[index] = value;
  if (OnChange)
    OnChange();
}

void TWinMinMaxInfo::Assign(const TWinMinMaxInfo &other) {
  std::copy(std::begin(other.FValues), std::end(other.FValues), std::begin(FValues));
  if (OnChange)
    OnChange();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
  return std::all_of(std::begin(FValues), std::end(FValues), [](int value) { return value == 0; });
}
