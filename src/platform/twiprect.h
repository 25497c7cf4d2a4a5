#pragma once

#include <QRect>
#include <QtMath>

// Positions and sizes are kept in twips, exactly as the layout tables give them; pixels are
// derived from them, so arithmetic in twips never accumulates pixel rounding.
inline constexpr float TwipsPerPixel = 15.0f;

inline int twipsToPixels(float twips)
{
    return qRound(twips / TwipsPerPixel);
}

inline float pixelsToTwips(qreal pixels)
{
    return float(pixels * TwipsPerPixel);
}

struct TwipRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    QRect toPixels() const
    {
        return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
    }

    friend bool operator==(const TwipRect &, const TwipRect &) = default;
};
