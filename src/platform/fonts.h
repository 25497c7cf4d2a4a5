#pragma once

#include <QFont>

// The program's fonts by role. They are compiled in and never looked up on the system, so
// every machine draws the same letters. Sizes are given in points at 96 dots per inch and
// set in pixels, so the canvas looks the same on every screen.
namespace Fonts {

// Every Tahoma of the product is bold.
QFont tahomaBold(qreal points);
QFont msSansSerif(qreal points);
QFont palatino(qreal points, bool italic = false, bool bold = false);

int pixelsForPoints(qreal points);

} // namespace Fonts
