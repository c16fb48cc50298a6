#pragma once

#include <string>

class QObject;

// The settings file's name: the program's file name with the extension ".INI" ("vexilo.INI"),
// without a folder, so the profile functions keep it in the settings folder.
std::string DefaultIniFileName();
// The registry back end's settings key: "Software\" and the program's name.
std::string DefaultRegistryKey();
// The full path of the settings file the scope reads and writes.
std::string SettingsFilePath();

// The section a component's settings go to: a form's class name; a control's name after the
// class name of its form (or its parent's name); a non-visual component's "%s.%s" of its
// form's class name and its name.
std::string DefaultSection(const QObject *component);
