#include "splashwindow.h"

#include "fonts.h"
#include "messagebox.h"
#include "opacity.h"
#include "picturebox.h"
#include "twiprect.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

namespace {

QLabel *makeLabel(const char *name, const QString &caption, const TwipRect &rect, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect.toPixels());
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

SplashWindow::SplashWindow()
    : FramedWindow(Frame::None, Qt::SplashScreen)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Form3"));
    setClientSize(TwipRect{0, 0, 5325, 3330}.toPixels().size());
    clientArea()->setFont(Fonts::msSansSerif(8.25));

    auto *picture = new PictureBox(QStringLiteral("Image2"), clientArea());
    picture->setAutoSize(true);
    picture->setPicture(QPixmap(QStringLiteral(":/pictures/app/splash.png")));
    picture->move(TwipRect{0, -360, 5175, 2895}.toPixels().topLeft());
    makeLabel("Label1", QStringLiteral("ZAPQUIL"), {480, 2040, 3015, 735}, Fonts::palatino(27.75, true),
              clientArea());
    makeLabel("Label2", QStringLiteral("THE ART OF TROLLING"), {480, 2640, 2655, 375}, Fonts::msSansSerif(8.25),
              clientArea());

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(ShowMs);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::Form3_Timer1_Timer);
}

bool SplashWindow::Form3_Form_Load(bool previousInstance)
{
    if (previousInstance) {
        showMessage(nullptr, QStringLiteral("This application is already running. "), QStringLiteral("Quorvale"),
                    MessageIcon::Warning);
        return false;
    }
    lngAlpha = 230;
    applyOpacity(this, lngAlpha);
    centerOnScreen();
    m_timer->start();
    return true;
}

void SplashWindow::Form3_Timer1_Timer()
{
    close();
    emit mainWindowWanted();
}

void SplashWindow::closeEvent(QCloseEvent *event)
{
    // The splash takes no input: a close request from the window manager would leave the
    // program running with no window at all, so only its own timer closes it.
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}
