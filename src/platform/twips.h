#pragma once

#include <QRect>
#include <QtGlobal>

// 15 twips per pixel wherever twips and pixels meet.
constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

// A designed rectangle in twips (left, top, width, height), in pixels.
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
