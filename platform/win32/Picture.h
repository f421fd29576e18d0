// A GIF of the resources, decoded by the system's picture loader (OleLoadPicture), drawn
// stretched into a rectangle; its transparent colour shows what is under it.
#pragma once

#include "platform/win32/WindowsApi.h"

struct IPicture;

class Picture {
 public:
  explicit Picture(int resource);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool Loaded() const { return picture_ != nullptr; }
  void Draw(HDC dc, const RECT& into) const;

 private:
  IPicture* picture_ = nullptr;
};
