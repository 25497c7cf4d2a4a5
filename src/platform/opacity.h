#pragma once

#include <QtGlobal>

class QWidget;

// Draws the whole window with one constant opacity out of 255. A value that does not fit
// in 0..255 changes nothing and returns false.
bool applyOpacity(QWidget *window, qint32 alpha);
