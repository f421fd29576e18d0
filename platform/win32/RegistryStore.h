// The settings in the per-user registry, where programs of this kind keep theirs:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, one string
// value (REG_SZ) a key.
#pragma once

#include <string>

#include "platform/core/SettingsStore.h"

class RegistryStore : public SettingsStore {
 public:
  explicit RegistryStore(std::string application) : application_(std::move(application)) {}

  std::string Where() const override;
  std::vector<std::optional<std::string>> Get(const std::string& section,
                                              const std::vector<std::string>& keys) const override;
  // All or nothing: when a value cannot be written, those written before it are put back.
  void Put(const std::string& section, const Values& values) override;

 private:
  std::string KeyPath(const std::string& section) const;
  std::string application_;
};
