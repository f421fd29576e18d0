// Where the display form gets its pictures and sounds, injected like its clock and random
// generator: the program hands it the embedded media (EmbeddedMedia), a test what it likes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/core/Surface.h"

class MediaSource {
 public:
  virtual ~MediaSource() = default;
  // A bitmap resource as a picture: LoadResPicture(101) is the large portrait.
  virtual Surface LoadResPicture(int id) = 0;
  // A named resource of a named type, as bytes: LoadResData("LASER.WAV", "SOUNDS"). The
  // bytes stay valid, unchanged, as long as the source.
  virtual std::span<const uint8_t> LoadResData(const std::string& name,
                                               const std::string& type) = 0;
  // Explosion frame n (0..15).
  virtual Surface BoomFrame(int n) = 0;
};

// The media embedded in the program (media/MediaTable.h).
class EmbeddedMedia : public MediaSource {
 public:
  Surface LoadResPicture(int id) override;
  std::span<const uint8_t> LoadResData(const std::string& name, const std::string& type) override;
  Surface BoomFrame(int n) override;
};
