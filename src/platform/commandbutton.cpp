#include "commandbutton.h"

#include "fonts.h"

#include <QPushButton>

QPushButton *createCommandButton(const char *name, const QString &caption, const TwipRect &rect, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(rect.toPixels());
    button->setFont(Fonts::tahomaBold(11.25));
    button->setAutoDefault(false);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, QColor(192, 192, 255));
    button->setPalette(palette);
    return button;
}
