#include "optionbutton.h"

#include "fonts.h"

#include <QRadioButton>

QRadioButton *createOptionButton(const char *name, const QString &caption, const TwipRect &rect, QWidget *parent)
{
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(QLatin1String(name));
    option->setGeometry(rect.toPixels());
    option->setFont(Fonts::palatino(12, true));
    QPalette palette = option->palette();
    palette.setColor(option->backgroundRole(), Qt::white);
    option->setPalette(palette);
    option->setAutoFillBackground(true);
    return option;
}
