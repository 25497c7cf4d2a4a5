#pragma once

#include "framedwindow.h"
#include "picturesaver.h"

#include <QPointer>

class PictureBox;

// `Form2`: shows the exported comic with SAVE and Back. The main window stays hidden while
// it is open and comes back on Back, on a failed save and when the preview is closed.
class PreviewWindow : public FramedWindow
{
    Q_OBJECT

public:
    explicit PreviewWindow(FramedWindow *editor, PictureSaver saver = PictureSaver());

    // Shows the picture (a null one empties the box) and fits the window's height to it.
    void setPicture(const QImage &picture);
    QImage picture() const;

    void Command1_Click();
    void Command2_Click();

signals:
    void saved(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void restoreEditor();

    QPointer<FramedWindow> m_editor;
    QPoint m_editorPlace;
    PictureSaver m_saver;
    PictureBox *m_picture;
    QImage m_image;
    bool m_saved = false;
};
