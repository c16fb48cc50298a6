#pragma once

#include "framework/form_reader.h"

#include <vector>

// The scope panel's description: every component with its class, parent, bounds and published
// properties, in creation order. The panel is built from it.
const std::vector<TComponentDesc> &ScopePanelLayout();

// The classes the description names.
void RegisterScopePanelClasses(TFormReader &reader);
