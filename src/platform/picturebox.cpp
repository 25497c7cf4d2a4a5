#include "picturebox.h"

#include <QPainter>

PictureBox::PictureBox(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_client(this)
{
    setObjectName(name);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_autoSize)
        fitToPicture();
    update();
}

void PictureBox::setBorder(bool border)
{
    if (border == hasBorder())
        return;
    if (border) {
        m_client = new QWidget(this);
        m_client->setObjectName(objectName() + QStringLiteral("_client"));
        m_client->setGeometry(rect().adjusted(1, 1, -1, -1));
    } else {
        delete m_client;
        m_client = this;
    }
    update();
}

void PictureBox::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        fitToPicture();
}

void PictureBox::setBackground(const QColor &color)
{
    m_background = color;
    update();
}

void PictureBox::fitToPicture()
{
    const int border = hasBorder() ? 2 : 0;
    resize(m_picture.width() + border, m_picture.height() + border);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int inset = hasBorder() ? 1 : 0;
    if (m_background.isValid())
        painter.fillRect(rect(), m_background);
    if (!m_picture.isNull())
        painter.drawPixmap(inset, inset, m_picture);
    if (hasBorder()) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    if (hasBorder())
        m_client->setGeometry(rect().adjusted(1, 1, -1, -1));
    QWidget::resizeEvent(event);
}
