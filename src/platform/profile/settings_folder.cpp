#include "platform/profile/settings_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string HomeFolder() {
  if (const char *home = std::getenv("HOME"); home && *home)
    return home;
  if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
    return entry->pw_dir;
  return "/";
}

} // namespace

std::string SettingsFolder() {
  const char *config = std::getenv("XDG_CONFIG_HOME");
  const std::string base = config && config[0] == '/' ? std::string(config) : HomeFolder() + "/.config";
  return base + "/vexilo";
}

std::string ProfilePath(const std::string &fileName) {
  if (fileName.find('/') != std::string::npos)
    return fileName;
  return SettingsFolder() + "/" + fileName;
}
