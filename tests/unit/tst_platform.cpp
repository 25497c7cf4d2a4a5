#include "testsupport.h"

#include "framedwindow.h"
#include "inputbox.h"
#include "messagebox.h"
#include "opacity.h"
#include "picturebox.h"
#include "singleinstance.h"
#include "twiprect.h"
#include "windowcapture.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void twipsRoundToNearestPixel_data();
    void twipsRoundToNearestPixel();
    void twipRectGivesPixelGeometry();
    void opacityAcceptsOnlyBytes_data();
    void opacityAcceptsOnlyBytes();
    void secondLockIsRefusedWhileFirstLives();
    void lockOfDeadProcessIsTakenOver();
    void messageBoxShowsSeparateLines_data();
    void messageBoxShowsSeparateLines();
    void inputBoxStartsEmptyAndCancelGivesEmpty_data();
    void inputBoxStartsEmptyAndCancelGivesEmpty();
    void captionedFrameSurroundsClientArea();
    void captureHoldsFrameCaptionAndClient();
    void captureOfAreaStartsAtOuterCorner();
    void failedAllocationIsReportedAndGivesNoPicture();
};

void PlatformTest::twipsRoundToNearestPixel_data()
{
    QTest::addColumn<float>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("canvas width") << 8520.f << 568;
    QTest::newRow("parked") << -9999.f << -667;
    QTest::newRow("enlarge step") << 2075.f << 138;
    QTest::newRow("half up") << 7.5f << 1;
    QTest::newRow("below half") << 7.f << 0;
    QTest::newRow("export width") << 8580.f << 572;
}

void PlatformTest::twipsRoundToNearestPixel()
{
    QFETCH(float, twips);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips), pixels);
}

void PlatformTest::twipRectGivesPixelGeometry()
{
    QCOMPARE((TwipRect{8880, 960, 1935, 1095}.toPixels()), QRect(592, 64, 129, 73));
    QCOMPARE((TwipRect{720, 7920, 7815, 2775}.toPixels()), QRect(48, 528, 521, 185));
    QCOMPARE(pixelsToTwips(125), 1875.f);
}

void PlatformTest::opacityAcceptsOnlyBytes_data()
{
    QTest::addColumn<qint32>("alpha");
    QTest::addColumn<bool>("applied");
    QTest::newRow("zero") << 0 << true;
    QTest::newRow("splash") << 230 << true;
    QTest::newRow("opaque") << 255 << true;
    QTest::newRow("fade-out overshoot") << -2 << false;
    QTest::newRow("above a byte") << 256 << false;
    QTest::newRow("most negative") << std::numeric_limits<qint32>::min() << false;
}

void PlatformTest::opacityAcceptsOnlyBytes()
{
    QFETCH(qint32, alpha);
    QFETCH(bool, applied);
    QWidget window;
    QVERIFY(applyOpacity(&window, 128));
    QCOMPARE(applyOpacity(&window, alpha), applied);
    QCOMPARE(window.windowOpacity(), (applied ? alpha : 128) / 255.0);
}

void PlatformTest::secondLockIsRefusedWhileFirstLives()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("zapquil.lock"));
    SingleInstance first(path);
    QVERIFY(first.acquire());
    SingleInstance second(path);
    QVERIFY(!second.acquire());
}

void PlatformTest::lockOfDeadProcessIsTakenOver()
{
    // What a killed copy leaves behind: its lock, naming a process that no longer runs.
    QProcess gone;
    qint64 deadPid = 0;
    connect(&gone, &QProcess::started, this, [&] { deadPid = gone.processId(); });
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForFinished());
    QVERIFY(deadPid > 0);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("zapquil.lock"));
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(deadPid) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n"
                + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstance next(path);
    QVERIFY(next.acquire());
    SingleInstance after(path);
    QVERIFY(!after.acquire());
}

void PlatformTest::messageBoxShowsSeparateLines_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("warning") << int(MessageIcon::Warning) << int(QMessageBox::Warning);
    QTest::newRow("information") << int(MessageIcon::Information) << int(QMessageBox::Information);
    QTest::newRow("none") << int(MessageIcon::None) << int(QMessageBox::NoIcon);
}

void PlatformTest::messageBoxShowsSeparateLines()
{
    QFETCH(int, icon);
    QFETCH(int, boxIcon);
    QString shownText, shownTitle;
    int shownIcon = -1;
    int buttons = 0;
    whenModalOpens([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        shownText = box->text();
        shownTitle = box->windowTitle();
        shownIcon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    showMessage(nullptr, QStringLiteral("first\r\n\r\nthird"), QStringLiteral("Title"), MessageIcon(icon));
    QCOMPARE(shownText, QStringLiteral("first\n\nthird"));
    QCOMPARE(shownTitle, QStringLiteral("Title"));
    QCOMPARE(shownIcon, boxIcon);
    QCOMPARE(buttons, 1);
}

void PlatformTest::inputBoxStartsEmptyAndCancelGivesEmpty_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ok") << QStringLiteral("Hello there") << true << QStringLiteral("Hello there");
    QTest::newRow("ok with nothing typed") << QString() << true << QString();
    QTest::newRow("cancel") << QStringLiteral("thrown away") << false << QString();
}

void PlatformTest::inputBoxStartsEmptyAndCancelGivesEmpty()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, expected);
    QString prompt, title, startText;
    whenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        prompt = dialog->labelText();
        auto *field = dialog->findChild<QLineEdit *>();
        startText = field->text();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    const QString answer = askText(nullptr, QStringLiteral("Enter Comment:"), QStringLiteral("A title"));
    QCOMPARE(prompt, QStringLiteral("Enter Comment:"));
    QCOMPARE(title, QStringLiteral("A title"));
    QVERIFY(startText.isEmpty());
    QCOMPARE(answer, expected);
}

void PlatformTest::captionedFrameSurroundsClientArea()
{
    FramedWindow window(FramedWindow::Frame::Captioned);
    window.setClientSize(QSize(1051, 630));
    QCOMPARE(window.size(), QSize(1057, 659));
    QCOMPARE(window.clientArea()->geometry(), QRect(3, 26, 1051, 630));
    window.setOuterSize(QSize(572, 659));
    QCOMPARE(window.clientArea()->geometry(), QRect(3, 26, 566, 630));

    FramedWindow bordered(FramedWindow::Frame::Border);
    bordered.setClientSize(QSize(726, 648));
    QCOMPARE(bordered.size(), QSize(728, 650));
    QCOMPARE(bordered.clientArea()->pos(), QPoint(1, 1));
}

namespace {

// A window whose client area shows a known picture: red on the left half, blue on the right.
struct CapturedWindow
{
    FramedWindow window{FramedWindow::Frame::Captioned};

    CapturedWindow()
    {
        window.setWindowTitle(QStringLiteral("Captured"));
        window.setClientSize(QSize(200, 100));
        QPixmap picture(200, 100);
        picture.fill(Qt::blue);
        QPainter(&picture).fillRect(0, 0, 100, 100, Qt::red);
        window.clientArea()->setPicture(picture);
    }
};

} // namespace

void PlatformTest::captureHoldsFrameCaptionAndClient()
{
    CapturedWindow fixture;
    const QImage picture = GrabWholeForm(&fixture.window);
    QCOMPARE(picture.size(), QSize(206, 129));
    QCOMPARE(picture.pixelColor(0, 50), QColor(212, 208, 200)); // frame
    QCOMPARE(picture.pixelColor(100, 12), QColor(10, 36, 106));  // caption bar
    QCOMPARE(picture.pixelColor(3, 26), QColor(Qt::red));        // client area's first pixel
    QCOMPARE(picture.pixelColor(202, 128 - 3), QColor(Qt::blue)); // client area's last pixel
    QCOMPARE(picture.pixelColor(205, 128), QColor(64, 64, 64));   // outer shadow
}

void PlatformTest::captureOfAreaStartsAtOuterCorner()
{
    CapturedWindow fixture;
    const QImage area = GrabWindowArea(&fixture.window, 3, 26, 110, 10);
    QCOMPARE(area.size(), QSize(110, 10));
    QCOMPARE(area.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(area.pixelColor(109, 9), QColor(Qt::blue));
}

void PlatformTest::failedAllocationIsReportedAndGivesNoPicture()
{
    CapturedWindow fixture;
    QString text, title;
    int icon = -1;
    whenModalOpens([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    const QImage picture = GrabWholeForm(&fixture.window, [](QSize) { return QImage(); });
    QVERIFY(picture.isNull());
    QCOMPARE(text, QStringLiteral("form : 7Out of memory"));
    QCOMPARE(title, QStringLiteral("Zapquil"));
    QCOMPARE(icon, int(QMessageBox::NoIcon));
}

ZAPQUIL_TEST_MAIN(PlatformTest)
#include "tst_platform.moc"
