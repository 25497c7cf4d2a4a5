#include "windowcapture.h"

#include "messagebox.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr int OutOfMemoryError = 7;

} // namespace

QImage allocateCaptureImage(QSize size)
{
    return QImage(size, QImage::Format_RGB32);
}

QImage GrabWindowArea(QWidget *window, int left, int top, int width, int height, const ImageAllocator &allocate)
{
    QImage picture = allocate(QSize(width, height));
    if (picture.isNull())
        return picture;
    picture.setDevicePixelRatio(1);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    window->render(&painter, QPoint(-left, -top), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return picture;
}

QImage GrabWholeForm(QWidget *form, const ImageAllocator &allocate)
{
    QImage picture = GrabWindowArea(form, 0, 0, form->width(), form->height(), allocate);
    if (picture.isNull())
        showMessage(form, QStringLiteral("form : %1Out of memory").arg(OutOfMemoryError), QStringLiteral("Zapquil"),
                    MessageIcon::None);
    return picture;
}
