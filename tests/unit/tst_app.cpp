#include "testsupport.h"

#include "captionlabel.h"
#include "commandtexts.h"
#include "fade.h"
#include "mainwindow.h"
#include "picturebox.h"
#include "splashwindow.h"
#include "stickerimage.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void fadeSequences_data();
    void fadeSequences();
    void exitTwiceIsExitOnce();
    void controlsMatchTheirTables_data();
    void controlsMatchTheirTables();
    void fontsFollowTheirRoles_data();
    void fontsFollowTheirRoles();
    void loadFillsListsAndShowsBlankCaptions();
    void windowedControlsLieAboveWindowless();
    void tabOrderRunsByTabIndex();
    void windowIsFixedAndCaptioned();
    void closeRequestEndsProgramAtOnce();
    void helpAndAboutTexts();
    void helpShowsInformationBox();
    void splashLooksAsMade();
    void splashRefusesSecondCopy();
    void splashHandsOverAfterItsTimer();
};

namespace {

QTimer *timer(MainWindow &window, const char *name)
{
    return window.findChild<QTimer *>(QLatin1String(name));
}

} // namespace

void AppTest::fadeSequences_data()
{
    QTest::addColumn<int>("fadeInTicks"); // -1: run the fade-in to its end
    QTest::addColumn<int>("fadeOutTicksToEnd");
    QTest::addColumn<qint32>("firstFadeOutAlpha");
    QTest::addColumn<qint32>("lastShownAlpha");
    QTest::newRow("exit after fade-in") << -1 << 80 << 198 << 42;
    QTest::newRow("exit at counter 100") << 50 << 30 << 98 << 42;
    QTest::newRow("exit before the first tick") << 0 << 1 << -1 << -1;
}

void AppTest::fadeSequences()
{
    QFETCH(int, fadeInTicks);
    QFETCH(int, fadeOutTicksToEnd);
    QFETCH(qint32, firstFadeOutAlpha);
    QFETCH(qint32, lastShownAlpha);

    MainWindow window;
    QSignalSpy ended(&window, &MainWindow::programEnded);
    QTimer *fadeIn = timer(window, "Timer1");
    QTimer *fadeOut = timer(window, "Timer2");
    QVERIFY(fadeIn->isActive());
    QVERIFY(!fadeOut->isActive());
    QCOMPARE(fadeIn->interval(), FadeTickMs);
    QCOMPARE(window.lngAlpha, 0);
    fadeIn->stop(); // the test drives the ticks itself

    int ticks = 0;
    while ((fadeInTicks < 0 || ticks < fadeInTicks) && ticks < 1000) {
        const qint32 before = window.lngAlpha;
        window.Form1_Timer1_Timer();
        ++ticks;
        if (window.lngAlpha == FinalOpacity)
            break;
        QCOMPARE(window.lngAlpha, before + 2);
        QCOMPARE(window.windowOpacity(), window.lngAlpha / 255.0);
    }
    if (fadeInTicks < 0) {
        QCOMPARE(ticks, 100);
        QCOMPARE(window.fadeCounter(), 200);
        QCOMPARE(window.windowOpacity(), 250 / 255.0);
    }

    window.Command3_Click();
    QVERIFY(!fadeIn->isActive());
    QVERIFY(fadeOut->isActive());
    fadeOut->stop();

    int fadeOutTicks = 0;
    qint32 shown = -1;
    while (ended.isEmpty() && fadeOutTicks < 1000) {
        window.Form1_Timer2_Timer();
        ++fadeOutTicks;
        if (fadeOutTicks == 1 && ended.isEmpty())
            QCOMPARE(window.lngAlpha, firstFadeOutAlpha);
        if (ended.isEmpty()) {
            shown = window.lngAlpha;
            QCOMPARE(window.windowOpacity(), shown / 255.0);
        }
    }
    QCOMPARE(fadeOutTicks, fadeOutTicksToEnd);
    QCOMPARE(shown, lastShownAlpha);
    QCOMPARE(ended.size(), 1);
}

void AppTest::exitTwiceIsExitOnce()
{
    MainWindow window;
    QTimer *fadeOut = timer(window, "Timer2");
    timer(window, "Timer1")->stop();
    for (int i = 0; i < 50; ++i)
        window.Form1_Timer1_Timer();
    window.Command3_Click();
    window.Form1_Timer2_Timer();
    const int counter = window.fadeCounter();
    const int remaining = fadeOut->remainingTime();
    window.Command3_Click();
    QCOMPARE(window.fadeCounter(), counter);
    QVERIFY(fadeOut->isActive());
    QVERIFY(fadeOut->remainingTime() <= remaining);
    QVERIFY(!timer(window, "Timer1")->isActive());
}

void AppTest::controlsMatchTheirTables_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("enabled");
    const auto row = [](const char *name, const char *kind, QRect pixels, const char *text, bool shown, bool enabled) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << pixels
                            << QString::fromLatin1(text) << shown << enabled;
    };
    row("Picture1", "ToolOptions", {592, 64, 129, 73}, "", true, true);
    row("Option1", "QRadioButton", {0, 0, 89, 25}, "Enlarge", true, true);
    row("Option2", "QRadioButton", {0, 24, 89, 25}, "Minimize", true, true);
    row("Option3", "QRadioButton", {0, 48, 161, 25}, "Do nothing", true, true);
    row("PicImport", "PictureBox", {0, 0, 570, 634}, "", false, true);
    row("Command3", "QPushButton", {912, 104, 129, 33}, "Exit", true, true);
    row("Command2", "QPushButton", {912, 72, 129, 33}, "About", true, true);
    row("Command1", "QPushButton", {912, 40, 129, 33}, "Help", true, true);
    row("cmd_Save", "QPushButton", {912, 8, 129, 33}, "Export", true, true);
    row("Option6", "QRadioButton", {584, 8, 145, 25}, "Free Template", true, true);
    row("Option5", "QRadioButton", {736, 8, 153, 25}, "Import Template", true, true);
    row("Option4", "QRadioButton", {1136, 8, 137, 25}, "Bonus Template", true, true);
    row("Combo3", "ChoiceList", {1136, 32, 153, 30}, "(Select Template)", true, false);
    row("Combo2", "ChoiceList", {736, 32, 153, 30}, "(Select Template)", true, false);
    row("Combo1", "ChoiceList", {584, 32, 145, 30}, "Blank", true, true);
    row("Label26", "QLabel", {568, 136, 481, 489}, "", false, true);
    row("Label3", "CaptionLabel", {48, 528, 521, 185}, "Click here to edit", true, true);
    row("Label2", "CaptionLabel", {48, 32, 505, 185}, "Click here to edit", true, true);
    row("t3m1", "CaptionLabel", {-667, 16, 241, 73}, "Click Here to Edit", true, true);
    row("t1m1", "CaptionLabel", {-667, 16, 505, 97}, "Click here to edit", true, true);
    row("Label1", "QLabel", {728, 112, 265, 25}, "DRAG N' TROLL", true, true);
    row("Image1", "StickerImage", {568, 264, 125, 124}, "", true, true);
    row("Image2", "StickerImage", {928, 504, 125, 124}, "", true, true);
    row("Image14", "StickerImage", {808, 504, 125, 124}, "", true, true);
    row("Image16", "StickerImage", {568, 144, 125, 124}, "", true, true);
    row("T1", "PictureBox", {0, 0, 568, 632}, "", false, true);
    row("T4", "PictureBox", {0, 0, 568, 632}, "", false, true);
}

void AppTest::controlsMatchTheirTables()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, pixels);
    QFETCH(QString, text);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);

    MainWindow window;
    auto *control = window.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->geometry(), pixels);
    QCOMPARE(!control->isHidden(), shown);
    QCOMPARE(control->isEnabled(), enabled);
    QString actual;
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        actual = button->text();
    else if (auto *list = qobject_cast<QComboBox *>(control))
        actual = list->currentText();
    else if (auto *label = qobject_cast<QLabel *>(control))
        actual = label->text();
    else if (auto *caption = qobject_cast<CaptionLabel *>(control))
        actual = caption->caption();
    QCOMPARE(actual, text);
}

void AppTest::fontsFollowTheirRoles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("window font") << "t3m1" << 27 << true << false;
    QTest::newRow("Label2") << "Label2" << 37 << true << false;
    QTest::newRow("Label3") << "Label3" << 29 << true << false;
    QTest::newRow("buttons") << "cmd_Save" << 15 << true << false;
    QTest::newRow("options") << "Option1" << 16 << false << true;
    QTest::newRow("sources") << "Option5" << 16 << false << true;
    QTest::newRow("lists") << "Combo2" << 16 << false << false;
    QTest::newRow("heading") << "Label1" << 21 << true << false;
    QTest::newRow("Label23") << "Label23" << 37 << true << false;
    QTest::newRow("Label18") << "Label18" << 19 << true << false;
}

void AppTest::fontsFollowTheirRoles()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    MainWindow window;
    const QFont font = window.findChild<QWidget *>(name)->font();
    QCOMPARE(font.pixelSize(), pixelSize);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    // The bundled font is the one drawn, whatever the machine has installed.
    QVERIFY2(QFontInfo(font).family() == font.family(), qPrintable(QFontInfo(font).family()));
}

void AppTest::loadFillsListsAndShowsBlankCaptions()
{
    MainWindow window;
    auto *combo1 = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *combo2 = window.findChild<QComboBox *>(QStringLiteral("Combo2"));
    auto *combo3 = window.findChild<QComboBox *>(QStringLiteral("Combo3"));
    QStringList layouts, templates;
    for (int i = 0; i < combo1->count(); ++i)
        layouts << combo1->itemText(i);
    for (int i = 0; i < combo2->count(); ++i)
        templates << combo2->itemText(i);
    QCOMPARE(layouts, (QStringList{"Blank", "Half", "Trio", "Comic", "Exclusive"}));
    QCOMPARE(templates, (QStringList{"Troller", "Yes", "Poker Face", "Swag", "Programmer", "Coding", "WHY NO",
                                     "Student", "True Story", "When I do"}));
    QCOMPARE(combo3->count(), 0);
    QCOMPARE(combo1->currentIndex(), -1);
    QCOMPARE(combo2->currentIndex(), -1);
    QVERIFY(window.findChild<QRadioButton *>(QStringLiteral("Option6"))->isChecked());
    QVERIFY(window.findChild<QRadioButton *>(QStringLiteral("Option3"))->isChecked());
    QCOMPARE(window.windowOpacity(), 0.0);
}

void AppTest::windowedControlsLieAboveWindowless()
{
    MainWindow window;
    const QObjectList siblings = window.clientArea()->children();
    const auto z = [&](const char *name) {
        return siblings.indexOf(window.findChild<QWidget *>(QLatin1String(name)));
    };
    // Bottom to top, as the tables list them top first.
    const char *order[] = {"T2", "T3", "T4", "Image1", "Image3", "T1", "Image16", "Image15", "Image9", "Label1",
                           "Image4", "Image5", "Image2", "t4m1", "tm42", "t3m1", "t1m2", "Label2", "Label3",
                           "Label26", "Combo1", "Combo2", "Combo3", "Option4", "Option5", "Option6", "cmd_Save",
                           "Command1", "Command2", "Command3", "PicImport", "Picture1"};
    for (size_t i = 1; i < std::size(order); ++i)
        QVERIFY2(z(order[i - 1]) < z(order[i]), order[i]);
}

void AppTest::tabOrderRunsByTabIndex()
{
    MainWindow window;
    QStringList chain;
    QWidget *at = window.findChild<QWidget *>(QStringLiteral("Combo1"));
    for (int i = 0; i < 13; ++i) {
        chain << at->objectName();
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || at->objectName().isEmpty())
            at = at->nextInFocusChain();
    }
    QCOMPARE(chain, (QStringList{"Combo1", "Combo2", "Combo3", "Option4", "Option5", "Option6", "Option3", "Option2",
                                 "Option1", "cmd_Save", "Command1", "Command2", "Command3"}));
}

void AppTest::windowIsFixedAndCaptioned()
{
    MainWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.size(), QSize(1057, 659));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.windowTitle(), QStringLiteral("Zapquil: Moxlet APP"));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.clientArea()->geometry(), QRect(3, 26, 1051, 630));
    QCOMPARE(window.clientArea()->picture().size(), QSize(568, 632));
}

void AppTest::closeRequestEndsProgramAtOnce()
{
    MainWindow window;
    window.show();
    QSignalSpy ended(&window, &MainWindow::programEnded);
    QVERIFY(window.close());
    QCOMPARE(ended.size(), 1);
}

void AppTest::helpAndAboutTexts()
{
    const QString help = helpText();
    QCOMPARE(help.count(QStringLiteral("\r\n")), 12);
    const QStringList lines = help.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.first(), QStringLiteral("HELP MESSAGE"));
    QCOMPARE(lines.at(1), QString());
    QCOMPARE(lines.at(3), QStringLiteral(" This is used to create your own design and troll idea"));
    QCOMPARE(lines.at(9), QStringLiteral(" This is used to Caption the ready-made template"));
    QVERIFY(lines.last().endsWith(QStringLiteral("where you run this application")));
    QVERIFY(!help.endsWith(QStringLiteral("\r\n")));

    const QStringList about = aboutText().split(QStringLiteral("\r\n"));
    QCOMPARE(about.size(), 5);
    QCOMPARE(about.first(), QStringLiteral("Zapquil: Moxlet Application V1.0"));
    QVERIFY(!about.at(1).isEmpty() && !about.at(2).isEmpty());
    QVERIFY(about.at(3).isEmpty() && about.at(4).isEmpty());
}

void AppTest::helpShowsInformationBox()
{
    MainWindow window;
    window.show();
    QString title, text;
    int icon = -1;
    whenModalOpens([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Help"));
    QCOMPARE(icon, int(QMessageBox::Information));
    QCOMPARE(text.split(QLatin1Char('\n')).size(), 13);
}

void AppTest::splashLooksAsMade()
{
    SplashWindow splash;
    QVERIFY(splash.Form3_Form_Load(false));
    QCOMPARE(splash.objectName(), QStringLiteral("Form3"));
    QCOMPARE(splash.size(), QSize(355, 222));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.windowFlags() & Qt::WindowType_Mask, Qt::SplashScreen);
    QCOMPARE(splash.lngAlpha, 230);
    QCOMPARE(splash.windowOpacity(), 230 / 255.0);
    auto *picture = splash.findChild<PictureBox *>(QStringLiteral("Image2"));
    QCOMPARE(picture->geometry(), QRect(0, -24, 345, 193));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("ZAPQUIL"));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("Label1"))->geometry(), QRect(32, 136, 201, 49));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("THE ART OF TROLLING"));
    const QFont label1 = splash.findChild<QLabel *>(QStringLiteral("Label1"))->font();
    QCOMPARE(QFontInfo(label1).family(), QStringLiteral("TeX Gyre Pagella"));
    QVERIFY(QFontInfo(label1).italic());
    QCOMPARE(QFontInfo(splash.findChild<QLabel *>(QStringLiteral("Label2"))->font()).family(),
             QStringLiteral("MS Sans Serif"));

    // The picture's top 24 rows are cut and a 10-px white strip shows on its right.
    const QImage shown = splash.grab().toImage();
    const QImage art = picture->picture().toImage();
    QCOMPARE(shown.pixelColor(100, 0), art.pixelColor(100, 24));
    for (int y = 0; y < 222; y += 7)
        QCOMPARE(shown.pixelColor(350, y), QColor(Qt::white));
}

void AppTest::splashRefusesSecondCopy()
{
    SplashWindow splash;
    QString text, title;
    int icon = -1;
    whenModalOpens([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!splash.Form3_Form_Load(true));
    QCOMPARE(text, QStringLiteral("This application is already running. "));
    QCOMPARE(title, QStringLiteral("Quorvale"));
    QCOMPARE(icon, int(QMessageBox::Warning));
    QVERIFY(!splash.isVisible());
}

void AppTest::splashHandsOverAfterItsTimer()
{
    SplashWindow splash;
    QVERIFY(splash.Form3_Form_Load(false));
    splash.show();
    auto *timer = splash.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive() && timer->isSingleShot());
    QCOMPARE(timer->interval(), 3000);
    QSignalSpy handOver(&splash, &SplashWindow::mainWindowWanted);
    QTest::mouseClick(&splash, Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Escape);
    QVERIFY(splash.isVisible());
    QVERIFY(handOver.isEmpty());
    QVERIFY(handOver.wait(4000));
    QVERIFY(!splash.isVisible());
}

ZAPQUIL_TEST_MAIN(AppTest)
#include "tst_app.moc"
