#pragma once

#include "stickerimage.h"

#include <QLabel>
#include <QList>
#include <QObject>

class ToolOptions;

// The sixteen stickers at their home places in a 4 x 4 grid, the heading "DRAG N' TROLL",
// and `Label26`, the hidden transparent cover over the palette that swallows presses
// while it is shown.
class StickerPalette : public QObject
{
    Q_OBJECT

public:
    StickerPalette(QWidget *client, ToolOptions *tools);

    QList<StickerImage *> stickers() const { return m_stickers; }
    QWidget *cover() const { return m_cover; }
    void setFrontLimit(QWidget *lowestWindowed);

    // The window-level grab point shared by all sixteen.
    DragStart dragStart;

private:
    QList<StickerImage *> m_stickers;
    QLabel *m_heading;
    QLabel *m_cover;
};
