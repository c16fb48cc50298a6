#pragma once

#include <string>

// The folder that holds this program's settings: $XDG_CONFIG_HOME/vexilo, or ~/.config/vexilo
// when the variable is unset or not an absolute path.
std::string SettingsFolder();

// Where the private-profile functions keep a file: a name with a folder as it stands, a bare
// name in the settings folder (the place a bare profile name has always meant).
std::string ProfilePath(const std::string &fileName);
