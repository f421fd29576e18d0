#include "media/MediaSource.h"
#include "platform/win32/ResourceBytes.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Failure.h"
#include "platform/win32/ResourceIds.h"
#include "platform/win32/WindowsApi.h"

std::span<const uint8_t> ResourceBytes(const char* name, const char* type) {
  HRSRC found = FindResourceA(nullptr, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const uint8_t*>(bytes), size_t(SizeofResource(nullptr, found))};
}

namespace {

std::span<const uint8_t> Required(const char* name, const char* type, const std::string& what) {
  const std::span<const uint8_t> bytes = ResourceBytes(name, type);
  if (bytes.empty()) throw RuntimeError("missing resource " + what);
  return bytes;
}

}  // namespace

Surface EmbeddedMedia::LoadResPicture(int id) {
  return DecodeDib(Required(MAKEINTRESOURCEA(id), RT_BITMAP, std::to_string(id)));
}

std::span<const uint8_t> EmbeddedMedia::LoadResData(const std::string& name,
                                                    const std::string& type) {
  return Required(name.c_str(), type.c_str(), type + "/" + name);
}

Surface EmbeddedMedia::BoomFrame(int n) {
  return DecodeBmpFile(
      Required(MAKEINTRESOURCEA(IDR_FIRST_BOOM + n), RT_RCDATA, "boom " + std::to_string(n)));
}
