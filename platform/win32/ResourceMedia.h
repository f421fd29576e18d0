// The pictures and sounds of the executable's own resources (app/windows/skorvane.rc.in).
#pragma once

#include "media/MediaSource.h"

// A resource's bytes where they lie in the loaded executable (empty when there is none).
std::span<const uint8_t> ResourceBytes(const char* name, const char* type);

class ResourceMedia : public MediaSource {
 public:
  Surface LoadResPicture(int id) override;
  std::span<const uint8_t> LoadResData(const std::string& name, const std::string& type) override;
  Surface BoomFrame(int n) override;
};
