#include "platform/win32/Picture.h"

#include <cstring>

#include <ole2.h>
#include <olectl.h>

#include "platform/win32/ResourceBytes.h"

Picture::Picture(int resource) {
  const std::span<const uint8_t> bytes = ResourceBytes(MAKEINTRESOURCEA(resource), RT_RCDATA);
  if (bytes.empty()) return;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return;
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
    GlobalFree(memory);
    return;
  }
  OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture,
                 reinterpret_cast<void**>(&picture_));
  stream->Release();
}

Picture::~Picture() {
  if (picture_) picture_->Release();
}

void Picture::Draw(HDC dc, const RECT& into) const {
  if (!picture_) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  // The picture's own units are upside down: its origin is its bottom-left corner.
  picture_->Render(dc, into.left, into.top, into.right - into.left, into.bottom - into.top, 0,
                   height, width, -height, nullptr);
}
