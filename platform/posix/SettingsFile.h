// The per-user settings store: string values addressed by application, section and key, kept
// in one INI file per application under $XDG_CONFIG_HOME (default ~/.config).
//
// Writes replace the file atomically (a temporary file, flushed to disk, renamed over the old
// one, the folder synced), so a crash or a full disk leaves either the old file or the new
// one, never a torn one. Lines a save does not set are kept as they were (IniText).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/IniText.h"
#include "platform/core/SettingsStore.h"

class SettingsFile : public SettingsStore {
 public:
  // The store of `application` in the user's configuration folder.
  static std::filesystem::path PathFor(const std::string& application);

  explicit SettingsFile(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& Path() const { return file_; }

  // SettingsStore
  std::string Where() const override { return file_.string(); }
  std::vector<std::optional<std::string>> Get(const std::string& section,
                                              const std::vector<std::string>& keys) const override;
  // One atomic replacement of the file; other sections and keys of the file are kept.
  void Put(const std::string& section, const Values& values) override;

  // The whole file as it is now; an empty text when it does not exist.
  IniText Read() const;

  // Test seam: called between writing the temporary file and renaming it over the store.
  // Lets a test interrupt a write at its most dangerous point.
  void BeforeRenameForTests(std::function<void(const std::filesystem::path& temporary)> hook) {
    before_rename_ = std::move(hook);
  }

 private:
  std::filesystem::path file_;
  std::function<void(const std::filesystem::path&)> before_rename_;
};
