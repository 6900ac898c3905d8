#pragma once
// The pictures of the status frame's radio grids, drawn as vectors at the screen's density:
//   flag(0..3), 22 x 22: 0 blue round lamp, 1 red round lamp, 2 blue bar lamp, 3 red bar lamp;
//   icon(0..1), 64 x 32: 0 battery outline, 1 antenna with waves.
// The round lamps are centred in their square (they are drawn 2 px left of and 3 px above a
// 16-px row); the bar lamps and the icons keep to the part of the picture that a 16-px row shows.

#include <QPixmap>

namespace StatusImages {
QPixmap flag(int index, qreal devicePixelRatio = 1.0);
QPixmap icon(int index, qreal devicePixelRatio = 1.0);
} // namespace StatusImages
