#include "stickerimage.h"

#include "tooloptions.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

StickerImage::StickerImage(const QString &name, QPointF homeTwips, const QPixmap &picture, ToolOptions *tools,
                           DragStart *dragStart, QWidget *parent)
    : QWidget(parent)
    , m_home(homeTwips)
    , m_picture(picture)
    , m_tools(tools)
    , m_dragStart(dragStart)
{
    setObjectName(name);
    place({float(homeTwips.x()), float(homeTwips.y()), HomeWidth, HomeHeight});
}

void StickerImage::setFrontLimit(QWidget *lowestWindowed)
{
    m_frontLimit = lowestWindowed;
}

void StickerImage::MouseDown(Qt::MouseButtons, float x, float y)
{
    if (m_frontLimit)
        stackUnder(m_frontLimit);
    else
        raise();
    m_dragStart->sngDragX = x;
    m_dragStart->sngDragY = y;
}

void StickerImage::MouseMove(Qt::MouseButtons button, float x, float y)
{
    if (button == Qt::NoButton)
        return;
    TwipRect moved = m_rect;
    moved.left = (m_rect.left + x) - m_dragStart->sngDragX;
    moved.top = (m_rect.top + y) - m_dragStart->sngDragY;
    place(moved);
    m_tools->selectDoNothing();
    setBorder(false);
}

void StickerImage::Click()
{
    float step = 0;
    switch (m_tools->selected()) {
    case ToolOptions::Tool::Enlarge:
        step = ResizeStep;
        break;
    case ToolOptions::Tool::Minimize:
        step = -ResizeStep;
        break;
    case ToolOptions::Tool::DoNothing:
        return;
    }
    TwipRect resized = m_rect;
    resized.width += step;
    resized.height += step;
    // A control can't take a negative size: the click that would make one changes nothing.
    if (resized.width < 0 || resized.height < 0)
        return;
    place(resized);
}

void StickerImage::DblClick()
{
    if (m_tools->selected() != ToolOptions::Tool::DoNothing)
        return;
    place({float(m_home.x()), float(m_home.y()), HomeWidth, HomeHeight});
    setBorder(true);
}

void StickerImage::place(const TwipRect &rect)
{
    m_rect = rect;
    setGeometry(m_rect.toPixels());
}

void StickerImage::setBorder(bool border)
{
    if (m_border == border)
        return;
    m_border = border;
    update();
}

void StickerImage::paintEvent(QPaintEvent *event)
{
    // Only the exposed part is drawn, mapped back onto the picture, so a sticker grown far
    // beyond the window costs no more than one the size of what shows.
    QPainter painter(this);
    const QRectF target = event->rect() & rect();
    if (!target.isEmpty() && !m_picture.isNull() && width() > 0 && height() > 0) {
        const qreal sx = m_picture.width() / qreal(width());
        const qreal sy = m_picture.height() / qreal(height());
        const QRectF source(target.x() * sx, target.y() * sy, target.width() * sx, target.height() * sy);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, m_picture, source);
    }
    if (m_border) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void StickerImage::mousePressEvent(QMouseEvent *event)
{
    m_clickPending = event->button() == Qt::LeftButton;
    MouseDown(event->buttons(), pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
}

void StickerImage::mouseMoveEvent(QMouseEvent *event)
{
    MouseMove(event->buttons(), pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
}

void StickerImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_clickPending && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_clickPending = false;
    if (click)
        Click();
}

void StickerImage::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double-click is a DblClick only, and its release is no Click.
    m_clickPending = false;
    DblClick();
}
