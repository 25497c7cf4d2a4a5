#include "opacity.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

bool applyOpacity(QWidget *window, qint32 alpha)
{
    if (!window || alpha < 0 || alpha > 255)
        return false;
    window->setWindowOpacity(alpha / 255.0);
    // Qt's X11 backend queues the new opacity and sends it with the next repaint; a fade
    // repaints nothing, so the request goes out now.
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (xcb_connection_t *connection = x11->connection())
            xcb_flush(connection);
    }
    return true;
}
