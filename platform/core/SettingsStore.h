// The per-user settings store, as the program sees it: string values addressed by section and
// key, for one application. Each platform keeps them where its users expect them (an INI file
// under the configuration folder on Linux, the registry on Windows).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/Failure.h"

// A save that did not reach the store; what was stored before is still there.
class SettingsWriteError : public RuntimeError {
 public:
  SettingsWriteError(std::string where, std::string reason)
      : RuntimeError("cannot write " + where + ": " + reason),
        where_(std::move(where)),
        reason_(std::move(reason)) {}
  const std::string& Where() const { return where_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string where_;
  std::string reason_;
};

class SettingsStore {
 public:
  using Values = std::vector<std::pair<std::string, std::string>>;

  virtual ~SettingsStore() = default;

  // Where the values are kept, for messages: a file name, a registry key.
  virtual std::string Where() const = 0;

  // The stored text of every key in `keys`, in that order (nullopt: not stored), read in one go.
  virtual std::vector<std::optional<std::string>> Get(
      const std::string& section, const std::vector<std::string>& keys) const = 0;

  // Stores every pair of `values` under `section`, all or nothing; other keys stay as they
  // were. Throws SettingsWriteError.
  virtual void Put(const std::string& section, const Values& values) = 0;
};
