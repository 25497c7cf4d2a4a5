#pragma once

#include <QImage>

#include <functional>

class QWidget;

// Capture renders the window itself, self-drawn frame and caption bar included, so the
// picture does not depend on other windows, the window manager or a compositor. Every
// display Qt serves is true colour, so a picture never carries a palette.
using ImageAllocator = std::function<QImage(QSize)>;

QImage allocateCaptureImage(QSize size);

// The rectangle (left, top, width, height), in pixels from the window's outer top-left
// corner. Returns a null image when the picture cannot be allocated.
QImage GrabWindowArea(QWidget *window, int left, int top, int width, int height,
                      const ImageAllocator &allocate = allocateCaptureImage);

// The whole window at its current outer size. On a failure it tells the user
// ("form : " + number + description, title "Zapquil") and returns a null image.
QImage GrabWholeForm(QWidget *form, const ImageAllocator &allocate = allocateCaptureImage);
