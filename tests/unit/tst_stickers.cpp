#include "testsupport.h"

#include "editorfixture.h"
#include "picturebox.h"
#include "stickerimage.h"
#include "stickerpalette.h"
#include "tooloptions.h"

#include <QRadioButton>
#include <QRandomGenerator>

class StickersTest : public QObject
{
    Q_OBJECT

private slots:
    void gestures_data();
    void gestures();
    void minimizeNeverGoesNegative();
    void grabPointStaysUnderPointerOverLongDrag();
    void lastPressedWinsSharedStrip();
    void draggedStickerPassesUnderButtonsAndLists();
    void stickerDroppedOutsideIsLost();
    void paletteCoverSwallowsPresses();
    void stretchedPictureFillsSticker();
};

namespace {

using Tool = ToolOptions::Tool;

struct Editor : EditorFixture
{
    StickerImage *sticker(const char *name) const { return window.findChild<StickerImage *>(QLatin1String(name)); }
    // The control of the client area under a point, whichever of its parts is hit.
    QWidget *controlAt(QPoint at) const
    {
        QWidget *hit = client()->childAt(at);
        while (hit && hit->parentWidget() != client())
            hit = hit->parentWidget();
        return hit;
    }
    ToolOptions *tools() const { return window.findChild<ToolOptions *>(QStringLiteral("Picture1")); }
    void select(Tool tool) const
    {
        const char *names[] = {"Option1", "Option2", "Option3"};
        QTest::mouseClick(window.findChild<QRadioButton *>(QLatin1String(names[int(tool)])), Qt::LeftButton);
    }
    // Events through the window, so the toolkit finds the control under the pointer and
    // routes the moves to the pressed one, as on a desktop. Points are in the client area.
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mousePress(window.windowHandle(), button, {}, at + client()->pos());
    }
    void move(QPoint at) const { QTest::mouseMove(window.windowHandle(), at + client()->pos()); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseRelease(window.windowHandle(), button, {}, at + client()->pos());
    }
    // Press at a client point, move through the given client points, release at the last one.
    void drag(QPoint from, const QList<QPoint> &through, Qt::MouseButton button = Qt::LeftButton) const
    {
        press(from, button);
        for (const QPoint &at : through)
            move(at);
        release(through.isEmpty() ? from : through.last(), button);
        QTest::qWait(QApplication::doubleClickInterval() + 20); // the next press is no double-click
    }
};

void click(QWidget *widget, QPoint at = QPoint(20, 20))
{
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

void doubleClick(QWidget *widget, QPoint at = QPoint(20, 20))
{
    click(widget, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

void StickersTest::gestures_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<TwipRect>("expected");
    QTest::addColumn<bool>("border");
    QTest::addColumn<int>("toolAfter");

    const TwipRect home{8520, 5760, 1875, 1860};
    // Pressed 10 px into the sticker and dropped at client (300, 200).
    const TwipRect dropped{4350, 2850, 1875, 1860};
    QTest::newRow("click, do nothing") << int(Tool::DoNothing) << "click" << home << true << int(Tool::DoNothing);
    QTest::newRow("click, enlarge") << int(Tool::Enlarge) << "click" << TwipRect{8520, 5760, 2075, 2060} << true
                                    << int(Tool::Enlarge);
    QTest::newRow("click, minimize") << int(Tool::Minimize) << "click" << TwipRect{8520, 5760, 1675, 1660} << true
                                     << int(Tool::Minimize);
    QTest::newRow("drag under enlarge never resizes")
        << int(Tool::Enlarge) << "drag" << dropped << false << int(Tool::DoNothing);
    QTest::newRow("right-button drag moves") << int(Tool::DoNothing) << "right drag" << dropped << false
                                             << int(Tool::DoNothing);
    QTest::newRow("release outside is no click")
        << int(Tool::Enlarge) << "release outside" << home << true << int(Tool::Enlarge);
    QTest::newRow("moving over it without a button")
        << int(Tool::Enlarge) << "hover" << home << true << int(Tool::Enlarge);
    QTest::newRow("double-click under do nothing sends home")
        << int(Tool::DoNothing) << "drag, enlarge twice, double-click" << home << true << int(Tool::DoNothing);
    QTest::newRow("double-click under enlarge grows once")
        << int(Tool::Enlarge) << "double-click" << TwipRect{8520, 5760, 2075, 2060} << true << int(Tool::Enlarge);
}

void StickersTest::gestures()
{
    QFETCH(int, tool);
    QFETCH(QString, gesture);
    QFETCH(TwipRect, expected);
    QFETCH(bool, border);
    QFETCH(int, toolAfter);

    Editor editor;
    StickerImage *sticker = editor.sticker("Image5");
    editor.select(Tool(tool));
    const QPoint grab(578, 394);
    if (gesture == QLatin1String("click")) {
        click(sticker);
    } else if (gesture == QLatin1String("drag")) {
        editor.drag(grab, {{500, 350}, {400, 300}, {300, 200}});
    } else if (gesture == QLatin1String("right drag")) {
        editor.drag(grab, {{500, 350}, {400, 300}, {300, 200}}, Qt::RightButton);
    } else if (gesture == QLatin1String("release outside")) {
        QTest::mousePress(sticker, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(sticker, Qt::LeftButton, {}, QPoint(200, 200));
    } else if (gesture == QLatin1String("hover")) {
        for (int x = 0; x < 120; x += 10)
            QTest::mouseMove(sticker, QPoint(x, 60));
    } else if (gesture == QLatin1String("drag, enlarge twice, double-click")) {
        editor.drag(grab, {{300, 200}});
        editor.select(Tool::Enlarge);
        click(sticker);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        click(sticker);
        QCOMPARE(sticker->twipRect(), (TwipRect{4350, 2850, 2275, 2260}));
        editor.select(Tool::DoNothing);
        doubleClick(sticker);
        doubleClick(sticker);
    } else if (gesture == QLatin1String("double-click")) {
        doubleClick(sticker);
    }
    QCOMPARE(sticker->twipRect(), expected);
    QCOMPARE(sticker->geometry(), expected.toPixels());
    QCOMPARE(sticker->hasBorder(), border);
    QCOMPARE(int(editor.tools()->selected()), toolAfter);
}

void StickersTest::minimizeNeverGoesNegative()
{
    Editor editor;
    StickerImage *sticker = editor.sticker("Image7");
    editor.select(Tool::Minimize);
    for (int i = 0; i < 9; ++i) {
        QTest::qWait(QApplication::doubleClickInterval() + 5);
        sticker->Click();
    }
    QCOMPARE(sticker->twipRect(), (TwipRect{10320, 5760, 75, 60}));
    sticker->Click();
    QCOMPARE(sticker->twipRect(), (TwipRect{10320, 5760, 75, 60}));
    QCOMPARE(sticker->geometry(), QRect(688, 384, 5, 4));
    // Still usable: it can grow again and be pressed.
    editor.select(Tool::Enlarge);
    sticker->Click();
    QCOMPARE(sticker->twipRect(), (TwipRect{10320, 5760, 275, 260}));
    click(sticker, QPoint(2, 2));
    QCOMPARE(sticker->twipRect().width, 475.f);
}

void StickersTest::grabPointStaysUnderPointerOverLongDrag()
{
    Editor editor;
    StickerImage *sticker = editor.sticker("Image12");
    const QPoint grab(37, 81);
    const QPoint start = sticker->pos() + grab;
    editor.press(start);
    QRandomGenerator random(20261211);
    QPoint at = start;
    for (int step = 0; step < 1000; ++step) {
        at += QPoint(random.bounded(-9, 10), random.bounded(-9, 10));
        editor.move(at);
        QCOMPARE(sticker->pos() + grab, at);
    }
    editor.release(at);
    QCOMPARE(sticker->twipRect().left, pixelsToTwips(at.x() - grab.x()));
    QCOMPARE(sticker->twipRect().top, pixelsToTwips(at.y() - grab.y()));
    QCOMPARE(sticker->twipRect().width, StickerImage::HomeWidth);
}

void StickersTest::lastPressedWinsSharedStrip()
{
    // Image1 (row 2) and Image5 (row 3) share the rows 384..387 of the first column.
    Editor editor;
    StickerImage *upper = editor.sticker("Image1");
    StickerImage *lower = editor.sticker("Image5");
    const QPoint strip(600, 386);
    QCOMPARE(editor.controlAt(strip), lower);
    click(upper, QPoint(30, 30));
    QCOMPARE(editor.controlAt(strip), upper);
    // A reset leaves it in front.
    QTest::mouseDClick(upper, Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(editor.controlAt(strip), upper);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    editor.drag(strip, {{620, 420}});
    QCOMPARE(upper->twipRect().top, 3960.f + pixelsToTwips(34));
    QCOMPARE(lower->twipRect().top, 5760.f);
}

void StickersTest::draggedStickerPassesUnderButtonsAndLists()
{
    Editor editor;
    StickerImage *sticker = editor.sticker("Image16");
    editor.drag(QPoint(600, 170), {{640, 100}, {640, 50}});
    QCOMPARE(sticker->pos(), QPoint(608, 24));
    // Over Combo1 and Option6 the list and the option still take the pointer.
    QCOMPARE(editor.controlAt({600, 40})->objectName(), QStringLiteral("Combo1"));
    QCOMPARE(editor.controlAt({650, 15})->objectName(), QStringLiteral("Option6"));
}

void StickersTest::stickerDroppedOutsideIsLost()
{
    Editor editor;
    StickerImage *sticker = editor.sticker("Image2");
    editor.drag(QPoint(980, 560), {{1000, 600}, {1040, 640}, {1200, 800}});
    QVERIFY(!editor.client()->rect().intersects(sticker->geometry()));
    QCOMPARE(sticker->twipRect().left, pixelsToTwips(928 + 220));
}

void StickersTest::paletteCoverSwallowsPresses()
{
    Editor editor;
    QWidget *cover = editor.window.findChild<QWidget *>(QStringLiteral("Label26"));
    StickerImage *pressedBefore = editor.sticker("Image6");
    click(pressedBefore);
    cover->show();
    // A sticker never pressed lies under the cover: a press at its place moves nothing.
    StickerImage *covered = editor.sticker("Image7");
    editor.drag(QPoint(740, 440), {{600, 300}});
    QCOMPARE(covered->twipRect().left, 10320.f);
    // The uncovered strip along the bottom edge still reaches the sticker beneath.
    StickerImage *bottom = editor.sticker("Image13");
    editor.drag(QPoint(740, 626), {{740, 600}});
    QCOMPARE(bottom->twipRect().top, 7560.f - pixelsToTwips(26));
    // A sticker pressed before lies in front of the cover and can still be dragged.
    editor.drag(QPoint(600, 540), {{300, 300}});
    QCOMPARE(pressedBefore->pos(), QPoint(268, 264));
}

void StickersTest::stretchedPictureFillsSticker()
{
    Editor editor;
    StickerImage *sticker = editor.sticker("Image14"); // 310 x 356 picture in 125 x 124
    const QImage shown = sticker->grab().toImage();
    QCOMPARE(shown.size(), QSize(125, 124));
    QCOMPARE(shown.pixelColor(0, 60), QColor(Qt::black)); // border
    bool inked = false;
    for (int y = 10; y < 114 && !inked; ++y)
        for (int x = 10; x < 115 && !inked; ++x)
            inked = qGray(shown.pixel(x, y)) < 60;
    QVERIFY(inked);
    editor.select(Tool::Enlarge);
    for (int i = 0; i < 200; ++i)
        sticker->Click();
    QCOMPARE(sticker->width(), twipsToPixels(1875 + 200 * 200));
    QVERIFY(!sticker->grab(QRect(0, 0, 50, 50)).isNull());
}

ZAPQUIL_TEST_MAIN(StickersTest)
#include "tst_stickers.moc"
