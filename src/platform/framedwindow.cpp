#include "framedwindow.h"

#include "fonts.h"
#include "picturebox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int FrameWidth = 3;
constexpr int CaptionBarHeight = 22;
constexpr int PlacementSettleMs = 1000;

const QColor FaceColor(212, 208, 200);
const QColor LightColor(255, 255, 255);
const QColor ShadowColor(128, 128, 128);
const QColor DarkShadowColor(64, 64, 64);
const QColor CaptionColor(10, 36, 106);

} // namespace

FramedWindow::FramedWindow(Frame frame, Qt::WindowFlags extraFlags)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | extraFlags)
    , m_frame(frame)
    , m_client(new PictureBox(QStringLiteral("clientArea"), this))
{
    m_client->setBackground(Qt::white);
}

QMargins FramedWindow::frameMargins() const
{
    switch (m_frame) {
    case Frame::Captioned:
        return QMargins(FrameWidth, FrameWidth + CaptionBarHeight + 1, FrameWidth, FrameWidth);
    case Frame::Border:
        return QMargins(1, 1, 1, 1);
    case Frame::None:
        break;
    }
    return QMargins();
}

void FramedWindow::setClientSize(QSize size)
{
    const QMargins m = frameMargins();
    setOuterSize(size.grownBy(m));
}

void FramedWindow::setOuterSize(QSize size)
{
    setFixedSize(size);
    // Placed at once: a hidden window gets no resize event until it is shown.
    m_client->setGeometry(QRect(QPoint(), size).marginsRemoved(frameMargins()));
}

void FramedWindow::centerOnScreen()
{
    const QScreen *target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    QRect placed(QPoint(), size());
    placed.moveCenter(target->availableGeometry().center());
    move(placed.topLeft());
}

void FramedWindow::showAt(QPoint place)
{
    move(place);
    show();
    // Only the placement that comes with mapping is undone, not a later move by the user.
    m_keptPlace = place;
    QTimer::singleShot(PlacementSettleMs, this, [this] { m_keptPlace.reset(); });
}

void FramedWindow::moveEvent(QMoveEvent *event)
{
    if (m_keptPlace && event->spontaneous() && pos() != *m_keptPlace)
        move(*std::exchange(m_keptPlace, std::nullopt));
    QWidget::moveEvent(event);
}

QRect FramedWindow::captionBar() const
{
    if (m_frame != Frame::Captioned)
        return QRect();
    return QRect(FrameWidth, FrameWidth, width() - 2 * FrameWidth, CaptionBarHeight);
}

void FramedWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    switch (m_frame) {
    case Frame::None:
        break;
    case Frame::Border:
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        break;
    case Frame::Captioned: {
        // The classic raised edge: light on the top and left, shadow on the bottom and right.
        const QRect r = rect();
        painter.fillRect(r, FaceColor);
        painter.setPen(FaceColor);
        painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        painter.setPen(LightColor);
        painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
        painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
        painter.setPen(DarkShadowColor);
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter.setPen(ShadowColor);
        painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);

        const QRect bar = captionBar();
        painter.fillRect(bar, CaptionColor);
        painter.setPen(Qt::white);
        painter.setFont(Fonts::tahomaBold(8.25));
        painter.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         windowTitle());
        break;
    }
    }
}

void FramedWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && captionBar().contains(event->position().toPoint())) {
        m_captionPress = event->position().toPoint();
        return;
    }
    QWidget::mousePressEvent(event);
}

void FramedWindow::mouseMoveEvent(QMouseEvent *event)
{
    // The window manager takes the move over only once the pointer really drags the caption
    // bar. Handed over on the press, a quick click (a touchpad tap) ends before the window
    // manager starts the move, and the window then follows the pointer with no button down.
    if (m_captionPress && (event->buttons() & Qt::LeftButton)
        && (event->position().toPoint() - *m_captionPress).manhattanLength()
               >= QApplication::startDragDistance()) {
        m_captionPress.reset();
        if (windowHandle())
            windowHandle()->startSystemMove();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void FramedWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_captionPress.reset();
    QWidget::mouseReleaseEvent(event);
}
