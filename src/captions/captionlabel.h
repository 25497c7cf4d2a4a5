#pragma once

#include "twiprect.h"

#include <QFont>
#include <QWidget>

// A transparent caption laid over the canvas. It draws its text broken at word boundaries
// to its width and cut at its height, with "&" as an access-key marker, and answers a
// click anywhere in its rectangle, text or no text. A label with an input-box title asks
// for its new text when clicked; one without (the fixed "BUT WHEN I DO") does nothing.
class CaptionLabel : public QWidget
{
    Q_OBJECT

public:
    CaptionLabel(const QString &name, const TwipRect &rect, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    QString inputTitle() const { return m_inputTitle; }
    void setInputTitle(const QString &title);

    TwipRect twipRect() const { return m_rect; }
    void setLeft(float twips);

    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TwipRect m_rect;
    QString m_caption;
    QString m_inputTitle;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_pressed = false;
};
