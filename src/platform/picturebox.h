#pragma once

#include <QPixmap>
#include <QWidget>

// A picture box: a background colour, a picture drawn at its natural size at the top-left
// of its client area, an optional 1-px flat border, and child controls in the client area,
// which is inside the border and clips them.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    PictureBox(const QString &name, QWidget *parent);

    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }
    void setBorder(bool border);
    bool hasBorder() const { return m_client != this; }
    // The box takes the size of its picture plus its border whenever the picture changes.
    void setAutoSize(bool autoSize);
    void setBackground(const QColor &color);

    QWidget *clientArea() const { return m_client; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitToPicture();

    QPixmap m_picture;
    QColor m_background;
    QWidget *m_client;
    bool m_autoSize = false;
};
