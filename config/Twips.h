// The dialog and the preview are laid out in twips, 15 to a pixel.
#pragma once

#include <QRect>

constexpr int TwipsToPixels(int twips) {
  return twips / 15;
}

constexpr QRect Twips(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}
