#include "media/MediaTable.h"

#include "media/MediaSource.h"

#include <QResource>

#include "platform/core/Bitmap.h"
#include "platform/core/Numeric.h"

// The resources are compiled into this static library; make sure they are registered.
static void EnsureRegistered() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(media);
    return true;
  }();
  (void)registered;
}

namespace media {

namespace {

Bytes Read(const std::string& path) {
  EnsureRegistered();
  const QResource resource(QString::fromStdString(":/media/" + path));
  if (!resource.isValid()) throw RuntimeError("missing resource " + path);
  // The build embeds every asset as it is (rcc --no-compress), so its bytes can be used where
  // they lie instead of being unpacked into a copy.
  if (resource.compressionAlgorithm() != QResource::NoCompression) {
    throw RuntimeError("compressed resource " + path);
  }
  return Bytes(resource.data(), size_t(resource.size()));
}

}  // namespace

Bytes BitmapResource(int id) {
  return Read("bitmap/" + std::to_string(id));
}
Surface LoadResPicture(int id) {
  return DecodeDib(BitmapResource(id));
}
Bytes LoadResData(const std::string& name, const std::string& type) {
  return Read(type + "/" + name);
}
Bytes BoomFrameFile(int n) {
  return Read("boom/" + std::to_string(n));
}
Surface BoomFrame(int n) {
  return DecodeBmpFile(BoomFrameFile(n));
}
Bytes IconFile() {
  return Read("icon/skorvane.ico");
}
Bytes SetupPicture() {
  return Read("picture/setup.gif");
}
Bytes PreviewPicture() {
  return Read("picture/preview.gif");
}

}  // namespace media

Surface EmbeddedMedia::LoadResPicture(int id) {
  return media::LoadResPicture(id);
}

std::span<const uint8_t> EmbeddedMedia::LoadResData(const std::string& name,
                                                    const std::string& type) {
  return media::LoadResData(name, type);
}

Surface EmbeddedMedia::BoomFrame(int n) {
  return media::BoomFrame(n);
}
