#include "opacity.h"

#include <QWidget>

bool applyOpacity(QWidget *window, qint32 alpha)
{
    if (!window || alpha < 0 || alpha > 255)
        return false;
    window->setWindowOpacity(alpha / 255.0);
    return true;
}
