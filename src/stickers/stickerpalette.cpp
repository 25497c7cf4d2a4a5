#include "stickerpalette.h"

#include "fonts.h"

#include <QLabel>

namespace {

struct HomePlace
{
    int index;
    float left;
    float top;
};

constexpr HomePlace HomePlaces[] = {
    {1, 8520, 3960},   {2, 13920, 7560},  {3, 10320, 3960},  {4, 12120, 3960},
    {5, 8520, 5760},   {6, 8520, 7560},   {7, 10320, 5760},  {8, 12120, 5760},
    {9, 12120, 2160},  {10, 13920, 2160}, {11, 13920, 3960}, {12, 13920, 5760},
    {13, 10320, 7560}, {14, 12120, 7560}, {15, 10320, 2160}, {16, 8520, 2160},
};

} // namespace

StickerPalette::StickerPalette(QWidget *client, ToolOptions *tools)
    : QObject(client)
    , m_heading(new QLabel(QStringLiteral("DRAG N' TROLL"), client))
    , m_cover(new QLabel(client))
{
    for (const HomePlace &home : HomePlaces) {
        const QString name = QStringLiteral("Image%1").arg(home.index);
        const QPixmap picture(QStringLiteral(":/pictures/stickers/image%1.png").arg(home.index));
        m_stickers << new StickerImage(name, QPointF(home.left, home.top), picture, tools, &dragStart, client);
    }

    m_heading->setObjectName(QStringLiteral("Label1"));
    m_heading->setGeometry(TwipRect{10920, 1680, 3975, 375}.toPixels());
    m_heading->setFont(Fonts::palatino(15.75, false, true));
    m_heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_cover->setObjectName(QStringLiteral("Label26"));
    m_cover->setGeometry(TwipRect{8520, 2040, 7215, 7335}.toPixels());
    m_cover->hide();
}

void StickerPalette::setFrontLimit(QWidget *lowestWindowed)
{
    for (StickerImage *sticker : m_stickers)
        sticker->setFrontLimit(lowestWindowed);
}
