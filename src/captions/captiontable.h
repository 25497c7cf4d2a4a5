#pragma once

#include "twiprect.h"

#include <QString>

#include <span>

// One row per caption label of the canvas: the fourteen free-layout labels, which lie on the
// main window and wait parked until their layout is chosen, and the twenty-two labels of
// the ready-made comics, which lie on their template box.
struct CaptionEntry
{
    const char *name;
    const char *container; // "Form1" or the template box
    TwipRect rect;         // free-layout labels are stored parked
    float shownLeft;       // the Left a free-layout label takes when its layout is chosen
    qreal fontPoints;      // Tahoma bold
    Qt::Alignment alignment;
    const char *startCaption;
    const char *inputTitle; // empty: the label is never edited
};

inline constexpr float ParkedLeft = -9999;
inline constexpr qreal WindowFontPoints = 20.25;

std::span<const CaptionEntry> captionTable();
const CaptionEntry *findCaption(const QString &name);
