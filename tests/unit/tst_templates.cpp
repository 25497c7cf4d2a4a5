#include "testsupport.h"

#include "captionlabel.h"
#include "editorfixture.h"
#include "picturebox.h"
#include "stickerimage.h"
#include "templatecontrols.h"
#include "tooloptions.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QRadioButton>

class TemplatesTest : public QObject
{
    Q_OBJECT

private slots:
    void sourceSwitch_data();
    void sourceSwitch();
    void bonusIsReachedByKeyboardOnly();
    void layoutChoice_data();
    void layoutChoice();
    void unmatchedLayoutTextParksEverything();
    void templateChoice_data();
    void templateChoice();
    void clickOnTextOpensList();
    void typedKeysNeverReachLists_data();
    void typedKeysNeverReachLists();
    void importFrameHidesCanvasLabelsAndStickers();
    void captionsAndChoicesSurviveSwitching();
    void layoutPixels_data();
    void layoutPixels();
    void whyNoIsShiftedUpOverPlaceholder();
    void programmerCaptionIsCutAtBoxEdge();
    void everyTemplateCaptionCanBeEdited();
};

namespace {

struct Editor : EditorFixture
{
    QComboBox *list(int n) const { return get<QComboBox>(QStringLiteral("Combo%1").arg(n)); }
    QRadioButton *option(int n) const { return get<QRadioButton>(QStringLiteral("Option%1").arg(n)); }

    // Chooses an item as a user does with the keyboard: the arrows move the choice.
    void choose(int n, const QString &item) const
    {
        QComboBox *combo = list(n);
        combo->setFocus();
        const int target = combo->findText(item);
        QVERIFY(target >= 0);
        for (int guard = 0; combo->currentIndex() != target && guard < 20; ++guard)
            QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(combo->currentText(), item);
    }
    void selectSource(int n) const
    {
        if (n == 4) {
            // Out of sight and out of the mouse's reach: from "Import Template" the arrow key
            // moves the choice to it; otherwise Tab reaches it and Space selects it.
            if (option(5)->isChecked()) {
                option(5)->setFocus();
                QTest::keyClick(option(5), Qt::Key_Right);
            } else {
                list(1)->setFocus();
                for (int guard = 0; QApplication::focusWidget() != option(4) && guard < 6; ++guard)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), option(4));
                QTest::keyClick(option(4), Qt::Key_Space);
            }
        } else {
            QTest::mouseClick(option(n), Qt::LeftButton);
        }
        QVERIFY(option(n)->isChecked());
    }
    QImage render() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // A pixel of the canvas, in the captured window.
    static QColor canvasPixel(const QImage &shot, int x, int y) { return shot.pixelColor(x + 3, y + 26); }
};

} // namespace

void TemplatesTest::sourceSwitch_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("enabledList");
    QTest::addColumn<bool>("importShown");
    QTest::addColumn<bool>("coverShown");
    QTest::addColumn<bool>("toolsEnabled");
    // 6 Free Template, 5 Import Template, 4 Bonus Template.
    QTest::newRow("free to import") << 6 << 5 << 2 << true << true << false;
    QTest::newRow("free to bonus") << 6 << 4 << 3 << false << false << false;
    QTest::newRow("import to free") << 5 << 6 << 1 << false << false << true;
    QTest::newRow("import to bonus keeps the cover") << 5 << 4 << 3 << false << true << false;
    QTest::newRow("bonus to free") << 4 << 6 << 1 << false << false << true;
    QTest::newRow("bonus to import") << 4 << 5 << 2 << true << true << false;
}

void TemplatesTest::sourceSwitch()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, enabledList);
    QFETCH(bool, importShown);
    QFETCH(bool, coverShown);
    QFETCH(bool, toolsEnabled);

    Editor editor;
    if (from != 6)
        editor.selectSource(from);
    QTest::mouseClick(editor.option(1), Qt::LeftButton); // Enlarge, where it can be chosen
    editor.selectSource(to);
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(editor.list(n)->isEnabled(), n == enabledList);
    QCOMPARE(editor.get(QStringLiteral("PicImport"))->isVisible(), importShown);
    QCOMPARE(editor.get(QStringLiteral("Label26"))->isVisible(), coverShown);
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(editor.option(n)->isEnabled(), toolsEnabled);
    QVERIFY(editor.option(3)->isChecked());
    QCOMPARE(int(editor.get<ToolOptions>(QStringLiteral("Picture1"))->selected()), int(ToolOptions::Tool::DoNothing));
}

void TemplatesTest::bonusIsReachedByKeyboardOnly()
{
    Editor editor;
    QVERIFY(!editor.client()->rect().intersects(editor.option(4)->geometry()));
    QVERIFY(!editor.client()->rect().intersects(editor.list(3)->geometry()));
    QCOMPARE(editor.window.childAt(editor.option(4)->mapTo(&editor.window, QPoint(5, 5))), nullptr);
    editor.selectSource(4);
    QVERIFY(editor.list(3)->isEnabled());
    QCOMPARE(editor.list(3)->count(), 0);
    QCOMPARE(editor.list(3)->currentText(), QStringLiteral("(Select Template)"));
}

void TemplatesTest::layoutChoice_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("Blank") << "Blank" << "" << QStringList{"Label2", "Label3"} << QList<int>{48, 48};
    QTest::newRow("Half") << "Half" << "T1" << QStringList{"t1m1", "t1m2"} << QList<int>{24, 24};
    QTest::newRow("Trio") << "Trio" << "T2" << QStringList{"t2m1", "t2m2", "t2m3"} << QList<int>{24, 24, 24};
    QTest::newRow("Comic") << "Comic" << "T3" << QStringList{"t3m1", "t3m2", "t3m3", "t3m4"}
                           << QList<int>{24, 304, 288, 32};
    QTest::newRow("Exclusive") << "Exclusive" << "T4" << QStringList{"t4m1", "tm42", "t4m3"}
                               << QList<int>{24, 112, 32};
}

void TemplatesTest::layoutChoice()
{
    QFETCH(QString, item);
    QFETCH(QString, picture);
    QFETCH(QStringList, shown);
    QFETCH(QList<int>, lefts);

    Editor editor;
    // Start from another layout, so every label and picture has to move.
    editor.choose(1, item == QLatin1String("Trio") ? QStringLiteral("Comic") : QStringLiteral("Trio"));
    editor.choose(1, item);
    for (const char *name : {"T1", "T2", "T3", "T4"})
        QCOMPARE(editor.get(QLatin1String(name))->isVisible(), picture == QLatin1String(name));
    const QStringList all{"Label2", "Label3", "t1m1", "t1m2", "t2m1", "t2m2", "t2m3", "t3m1",
                          "t3m2",   "t3m3",   "t3m4", "t4m1", "tm42", "t4m3"};
    for (const QString &name : all) {
        auto *label = editor.get<CaptionLabel>(name);
        const qsizetype at = shown.indexOf(name);
        QCOMPARE(label->x(), at >= 0 ? lefts.at(at) : -667);
    }
    // Choosing it again leaves the canvas as it was.
    const QImage before = editor.render();
    editor.list(1)->activated(editor.list(1)->currentIndex());
    QCOMPARE(editor.render(), before);
}

void TemplatesTest::unmatchedLayoutTextParksEverything()
{
    Editor editor;
    editor.choose(1, QStringLiteral("Half"));
    editor.list(1)->setEditText(QStringLiteral("half"));
    editor.window.templates()->Combo1_Click();
    QVERIFY(editor.get(QStringLiteral("T1"))->isVisible());
    for (const char *name : {"t1m1", "t1m2", "Label2", "Label3"})
        QCOMPARE(editor.get(QLatin1String(name))->x(), -667);
}

void TemplatesTest::templateChoice_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("box");
    const char *rows[][2] = {{"Troller", "picTroll"}, {"Yes", "picYes"},         {"Poker Face", "picPoke"},
                             {"Swag", "picSwag"},     {"Programmer", "picProg"}, {"Coding", "picCode"},
                             {"WHY NO", "picWhy"},    {"Student", "Student"},    {"True Story", "picWhat"},
                             {"When I do", "picWhen"}};
    for (auto &row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
}

void TemplatesTest::templateChoice()
{
    QFETCH(QString, item);
    QFETCH(QString, box);
    Editor editor;
    editor.selectSource(5);
    editor.choose(2, item);
    const QStringList boxes{"picProg", "picCode", "picTroll", "picPoke", "picWhat",
                            "picWhen", "Student", "picWhy",   "picSwag", "picYes"};
    for (const QString &name : boxes)
        QCOMPARE(editor.get(name)->isVisible(), name == box);
    // A text that matches nothing leaves the shown box as it is.
    editor.list(2)->setEditText(QStringLiteral("why no"));
    editor.window.templates()->Combo2_Click();
    QVERIFY(editor.get(box)->isVisible());
}

void TemplatesTest::clickOnTextOpensList()
{
    Editor editor;
    QComboBox *combo = editor.list(1);
    const QPoint onText = combo->lineEdit()->mapTo(&editor.window, combo->lineEdit()->rect().center());
    QTest::mouseClick(editor.window.windowHandle(), Qt::LeftButton, {}, onText);
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(combo->currentText(), QStringLiteral("Blank"));
    combo->hidePopup();
}

void TemplatesTest::typedKeysNeverReachLists_data()
{
    QTest::addColumn<int>("list");
    QTest::newRow("Combo1") << 1;
    QTest::newRow("Combo2") << 2;
    QTest::newRow("Combo3") << 3;
}

void TemplatesTest::typedKeysNeverReachLists()
{
    QFETCH(int, list);
    Editor editor;
    if (list == 2)
        editor.selectSource(5);
    if (list == 3)
        editor.selectSource(4);
    QComboBox *combo = editor.list(list);
    const QString text = combo->currentText();
    const int count = combo->count();
    combo->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("Pasted"));
    QTest::keyClicks(combo, QStringLiteral("Exclusive 42"));
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Home})
        QTest::keyClick(combo, key);
    QTest::keyClick(combo, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(combo, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(combo->currentText(), text);
    QCOMPARE(combo->count(), count);
    QCOMPARE(combo->lineEdit()->text(), text);
}

void TemplatesTest::importFrameHidesCanvasLabelsAndStickers()
{
    Editor editor;
    auto *sticker = editor.get<StickerImage>(QStringLiteral("Image5"));
    sticker->MouseDown(Qt::LeftButton, 150, 150);
    sticker->MouseMove(Qt::LeftButton, pixelsToTwips(-400), pixelsToTwips(-100));
    QVERIFY(sticker->geometry().intersects(QRect(0, 0, 568, 632)));
    const QPoint onSticker = sticker->geometry().center();
    QCOMPARE(editor.client()->childAt(onSticker), sticker);
    // Labels lie above the layout pictures.
    editor.choose(1, QStringLiteral("Half"));
    QCOMPARE(editor.client()->childAt(30, 20)->objectName(), QStringLiteral("t1m1"));

    editor.selectSource(5);
    for (const QPoint &at : {onSticker, QPoint(30, 20), QPoint(60, 340)}) {
        QWidget *hit = editor.client()->childAt(at);
        QVERIFY(hit == editor.get(QStringLiteral("PicImport")) || editor.get(QStringLiteral("PicImport"))->isAncestorOf(hit));
    }
    // The placeholder shows until a template is chosen.
    const QImage shot = editor.render();
    const QImage placeholder = editor.get<PictureBox>(QStringLiteral("PicImport"))->picture().toImage();
    QCOMPARE(Editor::canvasPixel(shot, 284, 300), placeholder.pixelColor(283, 299));
}

void TemplatesTest::captionsAndChoicesSurviveSwitching()
{
    Editor editor;
    editor.choose(1, QStringLiteral("Comic"));
    editor.get<CaptionLabel>(QStringLiteral("t3m1"))->setCaption(QStringLiteral("Mine"));
    editor.choose(1, QStringLiteral("Trio"));
    editor.choose(1, QStringLiteral("Comic"));
    QCOMPARE(editor.get<CaptionLabel>(QStringLiteral("t3m1"))->caption(), QStringLiteral("Mine"));

    editor.selectSource(5);
    editor.choose(2, QStringLiteral("Swag"));
    editor.get<CaptionLabel>(QStringLiteral("Label8"))->setCaption(QStringLiteral("Cool"));
    editor.choose(2, QStringLiteral("Yes"));
    editor.selectSource(6);
    QVERIFY(editor.get(QStringLiteral("T3"))->isVisible());
    QCOMPARE(editor.get(QStringLiteral("t3m1"))->x(), 24);
    editor.selectSource(5);
    QVERIFY(editor.get(QStringLiteral("picYes"))->isVisible());
    editor.choose(2, QStringLiteral("Swag"));
    QCOMPARE(editor.get<CaptionLabel>(QStringLiteral("Label8"))->caption(), QStringLiteral("Cool"));
}

void TemplatesTest::layoutPixels_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("dividerRows"); // first and last row of each divider
    QTest::addColumn<QList<int>>("whiteRows");
    QTest::newRow("Blank") << "Blank" << QList<int>{} << QList<int>{300, 315, 322, 437};
    QTest::newRow("Half") << "Half" << QList<int>{315, 322} << QList<int>{314, 323};
    QTest::newRow("Trio") << "Trio" << QList<int>{227, 234, 419, 426} << QList<int>{226, 235, 418, 427};
    QTest::newRow("Comic") << "Comic" << QList<int>{243, 250, 437, 444} << QList<int>{242, 251, 436, 445};
    QTest::newRow("Exclusive") << "Exclusive" << QList<int>{365, 372} << QList<int>{374, 600};
}

void TemplatesTest::layoutPixels()
{
    QFETCH(QString, item);
    QFETCH(QList<int>, dividerRows);
    QFETCH(QList<int>, whiteRows);
    Editor editor;
    editor.choose(1, item);
    // Move the captions out of the way of the sampled columns.
    for (CaptionLabel *label : editor.window.findChildren<CaptionLabel *>())
        label->setCaption(QString());
    const QImage shot = editor.render();
    const auto pixel = [&](int x, int y) { return Editor::canvasPixel(shot, x, y); };
    // The frame: rows 1-7 and 623-629 (630 is below the client area), columns 2-9 and 562-565.
    for (int y : {1, 7, 623, 629})
        QCOMPARE(pixel(300, y), QColor(Qt::black));
    for (int x : {2, 9, 562, 565})
        QCOMPARE(pixel(x, 500), QColor(Qt::black));
    QCOMPARE(pixel(300, 0), QColor(Qt::white));
    QCOMPARE(pixel(1, 300), QColor(Qt::white));
    for (int y : dividerRows)
        for (int x : {12, 200, 555})
            QCOMPARE(pixel(x, y), QColor(Qt::black));
    for (int y : whiteRows)
        QCOMPARE(pixel(200, y), QColor(Qt::white));
    if (item == QLatin1String("Comic")) {
        for (int x : {275, 282})
            QCOMPARE(pixel(x, 120), QColor(Qt::black));
        QCOMPARE(pixel(274, 120), QColor(Qt::white));
        QCOMPARE(pixel(283, 120), QColor(Qt::white));
        QCOMPARE(pixel(279, 300), QColor(Qt::white)); // no divider below the top row
    }
    if (item == QLatin1String("Exclusive")) {
        // The diagonal from the bottom-left to the top-right corner of the top panel.
        QCOMPARE(pixel(286, 186), QColor(Qt::black));
        QCOMPARE(pixel(286, 170), QColor(Qt::white));
        QCOMPARE(pixel(286, 202), QColor(Qt::white));
    }
}

void TemplatesTest::whyNoIsShiftedUpOverPlaceholder()
{
    Editor editor;
    editor.selectSource(5);
    editor.choose(2, QStringLiteral("WHY NO"));
    auto *box = editor.get<PictureBox>(QStringLiteral("picWhy"));
    QCOMPARE(box->pos(), QPoint(0, -16));
    const QImage shot = editor.render();
    const QImage art = box->picture().toImage();
    // PicImport's client area starts 1 px inside its border.
    for (int y : {0, 100, 400, 614})
        for (int x : {5, 140, 300, 450})
            QCOMPARE(Editor::canvasPixel(shot, x + 1, y + 1), art.pixelColor(x, y + 16));
    // Below it, the bottom 16 rows of the placeholder: white and its frame.
    QCOMPARE(Editor::canvasPixel(shot, 300, 1 + 616), QColor(Qt::white));
    QCOMPARE(Editor::canvasPixel(shot, 300, 1 + 620), QColor(Qt::white));
    QCOMPARE(Editor::canvasPixel(shot, 300, 1 + 625), QColor(Qt::black));
}

void TemplatesTest::programmerCaptionIsCutAtBoxEdge()
{
    Editor editor;
    editor.selectSource(5);
    editor.choose(2, QStringLiteral("Programmer"));
    auto *label = editor.get<CaptionLabel>(QStringLiteral("Label23"));
    QCOMPARE(label->geometry(), QRect(48, 488, 537, 121));
    label->setCaption(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    auto *box = editor.get<PictureBox>(QStringLiteral("picProg"));
    const QImage boxShot = box->grab().toImage();
    QCOMPARE(boxShot.width(), 568);
    // The text runs to the box's right edge and no further: centred on the whole label,
    // it is wider than the visible part.
    bool inkAtEdge = false;
    for (int y = 488; y < 520; ++y)
        inkAtEdge |= qGray(boxShot.pixel(566, y)) < 100;
    QVERIFY(inkAtEdge);

    label->setCaption(QString());
    const QImage art = box->grab().toImage();
    label->setCaption(QStringLiteral("I"));
    const QImage single = box->grab().toImage();
    int left = 568, right = -1;
    for (int y = 488; y < 530; ++y)
        for (int x = 48; x < 568; ++x)
            if (single.pixel(x, y) != art.pixel(x, y)) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    QVERIFY(right >= left);
    QVERIFY2(qAbs((left + right) / 2 - (48 + 537 / 2)) <= 2, qPrintable(QString::number((left + right) / 2)));
}

void TemplatesTest::everyTemplateCaptionCanBeEdited()
{
    Editor editor;
    editor.selectSource(5);
    editor.choose(2, QStringLiteral("True Story"));
    QString title;
    whenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        title = dialog->windowTitle();
        QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral("true story"));
        dialog->accept();
    });
    auto *label = editor.get<CaptionLabel>(QStringLiteral("Label18"));
    QTest::mouseClick(editor.window.windowHandle(), Qt::LeftButton, {},
                      label->mapTo(&editor.window, label->rect().center()));
    QCOMPARE(title, QStringLiteral("Comment must not be over 50 chars"));
    QCOMPARE(label->caption(), QStringLiteral("true story"));
}

ZAPQUIL_TEST_MAIN(TemplatesTest)
#include "tst_templates.moc"
