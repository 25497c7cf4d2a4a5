#include "mainwindow.h"

#include "commandbutton.h"
#include "commandtexts.h"
#include "fade.h"
#include "fonts.h"
#include "messagebox.h"
#include "opacity.h"
#include "picturebox.h"
#include "previewwindow.h"
#include "stickerpalette.h"
#include "templatecatalogue.h"
#include "templatecontrols.h"
#include "tooloptions.h"
#include "windowcapture.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const QString Caption = QStringLiteral("Zapquil: Moxlet APP");

// Top of the stacking order first. Windowed controls lie above windowless ones; within a
// kind, a control listed earlier lies above one listed later.
constexpr const char *WindowedOrder[] = {
    "Picture1", "PicImport", "Command3", "Command2", "Command1", "cmd_Save",
    "Option6",  "Option5",   "Option4",  "Combo3",   "Combo2",   "Combo1",
};
constexpr const char *WindowlessOrder[] = {
    "Label26", "Label3",  "Label2",  "t1m2",    "t1m1",   "t2m3",   "t2m2",   "t2m1",   "t3m4",
    "t3m3",    "t3m2",    "t3m1",    "t4m3",    "tm42",   "t4m1",   "Image2", "Image14", "Image13",
    "Image12", "Image11", "Image10", "Image8",  "Image7", "Image6", "Image5", "Image4", "Label1",
    "Image9",  "Image15", "Image16", "T1",      "Image3", "Image1", "T4",     "T3",     "T2",
};

// By tab index; labels, pictures and disabled controls take no focus.
constexpr const char *TabOrder[] = {
    "Combo1", "Combo2", "Combo3", "Option4", "Option5", "Option6", "Option3",
    "Option2", "Option1", "cmd_Save", "Command1", "Command2", "Command3",
};

} // namespace

MainWindow::MainWindow(PictureSaver saver)
    : FramedWindow(Frame::Captioned)
    , m_tools(new ToolOptions(clientArea()))
    , m_palette(new StickerPalette(clientArea(), m_tools))
    , m_templates(new TemplateControls(clientArea(), m_tools, m_palette->cover()))
    , m_fadeIn(new QTimer(this))
    , m_fadeOut(new QTimer(this))
    , m_saver(std::move(saver))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Caption);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app/icon.png")));
    setClientSize(TwipRect{0, 0, 15765, 9450}.toPixels().size());
    clientArea()->setPicture(QPixmap(QLatin1String(BlankCanvasPicture)));
    clientArea()->setFont(Fonts::tahomaBold(20.25));

    QWidget *client = clientArea();
    connect(createCommandButton("cmd_Save", QStringLiteral("Export"), {13680, 120, 1935, 495}, client),
            &QPushButton::clicked, this, &MainWindow::cmd_Save_Click);
    connect(createCommandButton("Command1", QStringLiteral("Help"), {13680, 600, 1935, 495}, client),
            &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(createCommandButton("Command2", QStringLiteral("About"), {13680, 1080, 1935, 495}, client),
            &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(createCommandButton("Command3", QStringLiteral("Exit"), {13680, 1560, 1935, 495}, client),
            &QPushButton::clicked, this, &MainWindow::Command3_Click);

    applyStackingOrder();
    applyTabOrder();
    m_palette->setFrontLimit(client->findChild<QWidget *>(QLatin1String(WindowedOrder[std::size(WindowedOrder) - 1])));

    m_fadeIn->setObjectName(QStringLiteral("Timer1"));
    m_fadeIn->setInterval(FadeTickMs);
    connect(m_fadeIn, &QTimer::timeout, this, &MainWindow::Form1_Timer1_Timer);
    m_fadeOut->setObjectName(QStringLiteral("Timer2"));
    m_fadeOut->setInterval(FadeTickMs);
    connect(m_fadeOut, &QTimer::timeout, this, &MainWindow::Form1_Timer2_Timer);

    Form1_Form_Load();
}

void MainWindow::applyStackingOrder()
{
    QWidget *client = clientArea();
    const auto raiseAll = [client](auto &order) {
        for (auto it = std::rbegin(order); it != std::rend(order); ++it) {
            if (QWidget *control = client->findChild<QWidget *>(QLatin1String(*it), Qt::FindDirectChildrenOnly))
                control->raise();
        }
    };
    raiseAll(WindowlessOrder);
    raiseAll(WindowedOrder);
}

void MainWindow::applyTabOrder()
{
    QWidget *previous = nullptr;
    for (const char *name : TabOrder) {
        QWidget *control = clientArea()->findChild<QWidget *>(QLatin1String(name));
        control->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

void MainWindow::Form1_Form_Load()
{
    lngAlpha = 0;
    m_templates->showBlankCaptions();
    applyOpacity(this, lngAlpha);
    m_templates->fillLists();
    m_fadeIn->start();
}

void MainWindow::Form1_Timer1_Timer()
{
    const FadeTick tick = fadeInTick(m_fadeCounter);
    m_fadeCounter = tick.counter;
    lngAlpha = tick.alpha;
    if (tick.last)
        m_fadeIn->stop();
    applyOpacity(this, lngAlpha);
}

void MainWindow::Form1_Timer2_Timer()
{
    const FadeTick tick = fadeOutTick(m_fadeCounter);
    m_fadeCounter = tick.counter;
    lngAlpha = tick.alpha;
    if (tick.last) {
        m_fadeOut->stop();
        emit programEnded();
        return;
    }
    applyOpacity(this, lngAlpha);
}

void MainWindow::Command1_Click()
{
    showMessage(this, helpText(), QStringLiteral("Help"), MessageIcon::Information);
}

void MainWindow::Command2_Click()
{
    showMessage(this, aboutText(), QStringLiteral("About"), MessageIcon::Information);
}

void MainWindow::Command3_Click()
{
    m_fadeIn->stop();
    if (!m_fadeOut->isActive())
        m_fadeOut->start();
}

void MainWindow::cmd_Save_Click()
{
    setOuterSize(QSize(ExportOuterWidth, height()));
    setWindowTitle(Caption);

    m_preview = new PreviewWindow(this, m_saver);
    connect(m_preview, &PreviewWindow::saved, this, &MainWindow::reloadWanted);
    m_preview->show();

    m_preview->setPicture(GrabWholeForm(this));
    hide();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit programEnded();
}
