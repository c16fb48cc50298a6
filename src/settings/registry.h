#pragma once

#include "platform/profile/key_store.h"
#include "rtl/exception.h"

#include <string>

class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

// A registry wrapper: a root key (the current user's) and the key that is open now. A path
// that begins with a backslash is taken from the root, any other from the open key (or the
// root when none is open). Only string values are written; integers go as decimal text.
class TRegistry {
public:
  TRegistry() = default;
  virtual ~TRegistry();
  TRegistry(const TRegistry &) = delete;
  TRegistry &operator=(const TRegistry &) = delete;

  HKEY RootKey() const { return FRootKey; }
  // Closes the open key.
  void SetRootKey(HKEY rootKey);
  HKEY CurrentKey() const { return FCurrentKey; }
  const std::string &CurrentPath() const { return FCurrentPath; }

  // Opens the key, creating it when `canCreate`; it becomes the open key. A key that cannot be
  // created raises "Failed to create key %s"; one that does not exist answers false.
  bool OpenKey(const std::string &key, bool canCreate);
  void CloseKey();
  // Deletes the key with all its subkeys; the open key stays open.
  bool DeleteKey(const std::string &key);

  bool ValueExists(const std::string &name) const;
  // Empty for a missing or empty value; "Invalid data type for '%s'" for one that is not text.
  std::string ReadString(const std::string &name) const;
  void WriteString(const std::string &name, const std::string &value);

protected:
  // Makes `key` the open key under `path` without closing the one before.
  void ChangeKey(HKEY key, const std::string &path);

private:
  // The key a path starts from and the path relative to it.
  HKEY BaseKey(const std::string &key, std::string &relative) const;
  bool DeleteTree(HKEY parent, const std::string &name);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = 0;
  std::string FCurrentPath;
};
