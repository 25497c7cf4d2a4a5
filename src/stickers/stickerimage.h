#pragma once

#include "twiprect.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class ToolOptions;

// Where a sticker was grabbed, in twips from its top-left corner at the press. One pair for
// the whole window, shared by every sticker: the last press wins.
struct DragStart
{
    float sngDragX = 0;
    float sngDragY = 0;
};

// A face sticker: pressed it comes to the front, dragged it follows the pointer, clicked it
// grows or shrinks by one step under Enlarge or Minimize, double-clicked under Do nothing it
// goes back home. Its picture is stretched to whatever size it has.
class StickerImage : public QWidget
{
    Q_OBJECT

public:
    static constexpr float HomeWidth = 1875;
    static constexpr float HomeHeight = 1860;
    static constexpr float ResizeStep = 200;

    StickerImage(const QString &name, QPointF homeTwips, const QPixmap &picture, ToolOptions *tools,
                 DragStart *dragStart, QWidget *parent);

    // Presses bring the sticker just under this control, the lowest of the windowed ones.
    void setFrontLimit(QWidget *lowestWindowed);

    TwipRect twipRect() const { return m_rect; }
    bool hasBorder() const { return m_border; }

    void MouseDown(Qt::MouseButtons button, float x, float y);
    void MouseMove(Qt::MouseButtons button, float x, float y);
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void place(const TwipRect &rect);
    void setBorder(bool border);

    QPointF m_home;
    TwipRect m_rect;
    QPixmap m_picture;
    ToolOptions *m_tools;
    DragStart *m_dragStart;
    QPointer<QWidget> m_frontLimit;
    bool m_border = true;
    bool m_clickPending = false;
};
