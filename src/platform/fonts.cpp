#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <QtMath>

namespace {

struct Families
{
    QString caption;
    QString sans;
    QString serif;
};

QString registerFont(const QString &resource)
{
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

const Families &families()
{
    static const Families loaded = [] {
        Families f;
        f.caption = registerFont(QStringLiteral(":/fonts/DejaVuSansCondensed-Bold.ttf"));
        f.sans = registerFont(QStringLiteral(":/fonts/ms_sans_serif.ttf"));
        f.serif = registerFont(QStringLiteral(":/fonts/texgyrepagella-regular.otf"));
        registerFont(QStringLiteral(":/fonts/texgyrepagella-italic.otf"));
        registerFont(QStringLiteral(":/fonts/texgyrepagella-bold.otf"));
        return f;
    }();
    return loaded;
}

QFont fontOf(const QString &family, qreal points)
{
    QFont font(family);
    font.setPixelSize(Fonts::pixelsForPoints(points));
    return font;
}

} // namespace

int Fonts::pixelsForPoints(qreal points)
{
    return qRound(points * 96.0 / 72.0);
}

QFont Fonts::tahomaBold(qreal points)
{
    QFont font = fontOf(families().caption, points);
    font.setStretch(QFont::SemiCondensed);
    font.setBold(true);
    return font;
}

QFont Fonts::msSansSerif(qreal points)
{
    return fontOf(families().sans, points);
}

QFont Fonts::palatino(qreal points, bool italic, bool bold)
{
    QFont font = fontOf(families().serif, points);
    font.setItalic(italic);
    font.setBold(bold);
    return font;
}
