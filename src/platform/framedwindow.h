#pragma once

#include <QWidget>

#include <optional>

class PictureBox;

// A top-level window that draws its own frame, so it looks the same under every window
// manager and a capture of it holds the frame and caption bar exactly as shown.
class FramedWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Frame {
        Captioned, // 3-px raised frame and a caption bar; the client area starts 26 px down
        Border,    // a 1-px line
        None,
    };

    explicit FramedWindow(Frame frame, Qt::WindowFlags extraFlags = {});

    // The widget that holds every control: the outer size less the frame.
    PictureBox *clientArea() const { return m_client; }
    QMargins frameMargins() const;

    void setClientSize(QSize size);
    void setOuterSize(QSize size);
    void centerOnScreen();
    // Shows the window again at the given place, and puts it back there if the window
    // manager places it anew as it maps it.
    void showAt(QPoint place);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    QRect captionBar() const;

    Frame m_frame;
    std::optional<QPoint> m_keptPlace;
    std::optional<QPoint> m_captionPress;
    PictureBox *m_client;
};
