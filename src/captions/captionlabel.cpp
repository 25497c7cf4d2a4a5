#include "captionlabel.h"

#include "inputbox.h"

#include <QMouseEvent>
#include <QPainter>

CaptionLabel::CaptionLabel(const QString &name, const TwipRect &rect, QWidget *parent)
    : QWidget(parent)
    , m_rect(rect)
{
    setObjectName(name);
    setGeometry(m_rect.toPixels());
}

void CaptionLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void CaptionLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void CaptionLabel::setInputTitle(const QString &title)
{
    m_inputTitle = title;
}

void CaptionLabel::setLeft(float twips)
{
    m_rect.left = twips;
    setGeometry(m_rect.toPixels());
}

void CaptionLabel::Click()
{
    if (m_inputTitle.isEmpty())
        return;
    setCaption(askText(window(), QStringLiteral("Enter Comment:"), m_inputTitle));
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(Qt::black);
    painter.drawText(rect(), int(m_alignment) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, m_caption);
}

void CaptionLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Click();
}
