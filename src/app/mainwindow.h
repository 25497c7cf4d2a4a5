#pragma once

#include "framedwindow.h"
#include "previewwindow.h"

#include <QPointer>

class QTimer;
class StickerPalette;
class TemplateControls;
class ToolOptions;

// `Form1`: the comic editor. The comic exists only as what this window shows; a new window
// is a new comic.
class MainWindow : public FramedWindow
{
    Q_OBJECT

public:
    static constexpr int FullOuterWidth = 1057;  // 15855 twips
    static constexpr int ExportOuterWidth = 572; // 8580 twips: the canvas in its frame

    explicit MainWindow(PictureSaver saver = PictureSaver());

    void Form1_Form_Load();
    void Form1_Timer1_Timer();
    void Form1_Timer2_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmd_Save_Click();

    qint32 lngAlpha = 0;
    int fadeCounter() const { return m_fadeCounter; }

    StickerPalette *stickerPalette() const { return m_palette; }
    TemplateControls *templates() const { return m_templates; }
    PreviewWindow *preview() const { return m_preview; }

signals:
    // The fade-out ended or the window manager closed the window.
    void programEnded();
    // A picture was saved: the editor starts over in a new window.
    void reloadWanted();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void applyStackingOrder();
    void applyTabOrder();

    ToolOptions *m_tools;
    StickerPalette *m_palette;
    TemplateControls *m_templates;
    QTimer *m_fadeIn;
    QTimer *m_fadeOut;
    PictureSaver m_saver;
    QPointer<PreviewWindow> m_preview;
    int m_fadeCounter = 0;
};
