#include "testsupport.h"

#include "captionlabel.h"
#include "editorfixture.h"
#include "picturebox.h"
#include "picturesaver.h"
#include "previewwindow.h"
#include "stickerimage.h"
#include "templatecontrols.h"

#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cerrno>

class ExportTest : public QObject
{
    Q_OBJECT

private slots:
    void stampFollowsLocalTime_data();
    void stampFollowsLocalTime();
    void takenNamesGetNumbered_data();
    void takenNamesGetNumbered();
    void symlinkAtNameIsNotFollowed();
    void refusingFolderFallsBackToNext();
    void fullDiskLeavesNothingBehind();
    void everyFolderRefusingIsReported();
    void savedFileIsJpegOfThePicture();
    void exportShowsNarrowedWindowInPreview();
    void backRestoresEditorAsItWas();
    void closingPreviewActsAsBack();
    void successfulSaveReportsPathAndStartsOver();
    void failedSaveKeepsPreviewAndComic();
};

namespace {

const QDateTime Stamped(QDate(2013, 3, 24), QTime(9, 5, 7));

// The real file system, except that some folders refuse new files and writes may fail.
class FaultyFiles : public PictureFiles
{
public:
    QStringList refusingFolders;
    int writeError = 0;
    QStringList removed;

    int createExclusive(const QString &path) override
    {
        for (const QString &folder : refusingFolders)
            if (path.startsWith(folder + QLatin1Char('/')))
                return -EACCES;
        return PictureFiles::createExclusive(path);
    }
    int writeAll(int fd, const QByteArray &data) override
    {
        if (writeError) {
            PictureFiles::writeAll(fd, data.left(data.size() / 2));
            return writeError;
        }
        return PictureFiles::writeAll(fd, data);
    }
    void removeFile(const QString &path) override
    {
        removed << path;
        PictureFiles::removeFile(path);
    }
};

QImage testPicture()
{
    QImage picture(572, 659, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 572; ++x)
            picture.setPixelColor(x, y, QColor(10, 36, 106));
    for (int y = 100; y < 300; ++y)
        for (int x = 50; x < 250; ++x)
            picture.setPixelColor(x, y, QColor(200, 30, 40));
    return picture;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
}

struct ShownMessage
{
    QString text;
    QString title;
    int icon = -1;
};

void answerNextMessage(ShownMessage *shown)
{
    whenModalOpens([shown](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        shown->text = box->text();
        shown->title = box->windowTitle();
        shown->icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
}

// Faded in, as the user meets it.
struct Editor : EditorFixture
{
    Editor()
    {
        for (int i = 0; i < 100; ++i)
            window.Form1_Timer1_Timer();
    }
    PreviewWindow *exportComic()
    {
        QTest::mouseClick(get("cmd_Save"), Qt::LeftButton);
        return window.preview();
    }
};

} // namespace

void ExportTest::stampFollowsLocalTime_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("no leading zeros for hour and minute") << Stamped << "9507032413";
    QTest::newRow("two digits everywhere") << QDateTime(QDate(2013, 12, 31), QTime(23, 59, 59)) << "235959123113";
    QTest::newRow("midnight") << QDateTime(QDate(2014, 1, 1), QTime(0, 0, 0)) << "0000010114";
}

void ExportTest::stampFollowsLocalTime()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, stamp);
    QCOMPARE(saveStamp(time), stamp);
}

void ExportTest::takenNamesGetNumbered_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("saved");
    QTest::newRow("free name") << Stamped << QStringList{} << "9507032413.jpg";
    QTest::newRow("same second") << Stamped << QStringList{"9507032413.jpg"} << "9507032413-2.jpg";
    QTest::newRow("third in the second") << Stamped << QStringList{"9507032413.jpg", "9507032413-2.jpg"}
                                         << "9507032413-3.jpg";
    // 1:23:45 and 12:03:45 of one day share the stamp 12345…
    QTest::newRow("1:23:45 after 12:03:45") << QDateTime(QDate(2013, 3, 24), QTime(1, 23, 45))
                                             << QStringList{"12345032413.jpg"} << "12345032413-2.jpg";
}

void ExportTest::takenNamesGetNumbered()
{
    QFETCH(QDateTime, time);
    QFETCH(QStringList, existing);
    QFETCH(QString, saved);
    QTemporaryDir folder;
    for (const QString &name : existing) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("earlier comic");
    }
    PictureFiles files;
    const SaveOutcome outcome = PictureSaver({folder.path()}, [time] { return time; }, &files).save(testPicture());
    QVERIFY2(outcome.saved, qPrintable(outcome.reason));
    QCOMPARE(outcome.path, folder.filePath(saved));
    for (const QString &name : existing) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("earlier comic"));
    }
    QCOMPARE(filesIn(folder.path()).size(), existing.size() + 1);
}

void ExportTest::symlinkAtNameIsNotFollowed()
{
    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("precious.txt"));
    QFile precious(target);
    QVERIFY(precious.open(QIODevice::WriteOnly));
    precious.write("keep me");
    precious.close();
    QVERIFY(QFile::link(target, folder.filePath(QStringLiteral("9507032413.jpg"))));
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("missing")), folder.filePath(QStringLiteral("9507032413-2.jpg"))));

    PictureFiles files;
    const SaveOutcome outcome = PictureSaver({folder.path()}, [] { return Stamped; }, &files).save(testPicture());
    QVERIFY(outcome.saved);
    QCOMPARE(outcome.path, folder.filePath(QStringLiteral("9507032413-3.jpg")));
    QVERIFY(precious.open(QIODevice::ReadOnly));
    QCOMPARE(precious.readAll(), QByteArray("keep me"));
    QVERIFY(!QFile::exists(elsewhere.filePath(QStringLiteral("missing"))));
}

void ExportTest::refusingFolderFallsBackToNext()
{
    QTemporaryDir program, home;
    const QString pictures = home.filePath(QStringLiteral("Pictures"));
    FaultyFiles files;
    files.refusingFolders = {program.path()};
    const SaveOutcome outcome =
        PictureSaver({program.path(), pictures, home.path()}, [] { return Stamped; }, &files).save(testPicture());
    QVERIFY(outcome.saved);
    // The Pictures folder is made when it is missing.
    QCOMPARE(outcome.path, pictures + QStringLiteral("/9507032413.jpg"));
    QVERIFY(filesIn(program.path()).isEmpty());
}

void ExportTest::fullDiskLeavesNothingBehind()
{
    QTemporaryDir program, home;
    FaultyFiles files;
    files.writeError = ENOSPC;
    const SaveOutcome outcome =
        PictureSaver({program.path(), home.path()}, [] { return Stamped; }, &files).save(testPicture());
    QVERIFY(!outcome.saved);
    QCOMPARE(outcome.path, program.filePath(QStringLiteral("9507032413.jpg")));
    QCOMPARE(outcome.reason, QString::fromLocal8Bit(strerror(ENOSPC)));
    QCOMPARE(files.removed, QStringList{outcome.path});
    QVERIFY(filesIn(program.path()).isEmpty());
    QVERIFY(filesIn(home.path()).isEmpty());
}

void ExportTest::everyFolderRefusingIsReported()
{
    QTemporaryDir program, home;
    FaultyFiles files;
    files.refusingFolders = {program.path(), home.path()};
    const SaveOutcome outcome =
        PictureSaver({program.path(), home.path()}, [] { return Stamped; }, &files).save(testPicture());
    QVERIFY(!outcome.saved);
    QCOMPARE(outcome.path, home.filePath(QStringLiteral("9507032413.jpg")));
    QCOMPARE(outcome.reason, QString::fromLocal8Bit(strerror(EACCES)));
    PictureFiles real;
    QVERIFY(!PictureSaver({program.path()}, [] { return Stamped; }, &real).save(QImage()).saved);
}

void ExportTest::savedFileIsJpegOfThePicture()
{
    QTemporaryDir folder;
    PictureFiles files;
    const QImage picture = testPicture();
    const SaveOutcome outcome = PictureSaver({folder.path()}, [] { return Stamped; }, &files).save(picture);
    QVERIFY(outcome.saved);
    QFile file(outcome.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(3) == QByteArray("\xFF\xD8\xFF"));
    file.close();
    QImageReader reader(outcome.path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage saved = reader.read();
    QCOMPARE(saved.size(), QSize(572, 659));
    for (const QPoint &at : {QPoint(10, 10), QPoint(300, 12), QPoint(150, 200), QPoint(400, 500), QPoint(571, 658)}) {
        const QColor want = picture.pixelColor(at), got = saved.pixelColor(at);
        QVERIFY2(qAbs(want.red() - got.red()) <= 8 && qAbs(want.green() - got.green()) <= 8
                     && qAbs(want.blue() - got.blue()) <= 8,
                 qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    }
}

void ExportTest::exportShowsNarrowedWindowInPreview()
{
    Editor editor;
    PreviewWindow *preview = editor.exportComic();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QVERIFY(!editor.window.isVisible());
    QCOMPARE(editor.window.size(), QSize(572, 659));
    QCOMPARE(editor.window.windowTitle(), QStringLiteral("Zapquil: Moxlet APP"));

    const QImage picture = preview->picture();
    QCOMPARE(picture.size(), QSize(572, 659));
    QCOMPARE(picture.pixelColor(1, 300), QColor(255, 255, 255)); // inner light edge of the frame
    QCOMPARE(picture.pixelColor(286, 10), QColor(10, 36, 106));  // caption bar
    QCOMPARE(picture.pixelColor(3 + 5, 26 + 300), QColor(Qt::black)); // canvas frame, column 5
    QCOMPARE(picture.pixelColor(3 + 300, 26 + 300), QColor(Qt::white)); // canvas panel
    QCOMPARE(picture.pixelColor(3 + 565, 26 + 300), QColor(Qt::black)); // last canvas column shown
    QCOMPARE(picture.pixelColor(571, 300), QColor(64, 64, 64));          // right frame

    auto *box = preview->findChild<PictureBox *>(QStringLiteral("Picture2"));
    QCOMPARE(box->geometry(), QRect(0, 0, 574, 661));
    QCOMPARE(preview->width(), 728);
    QCOMPARE(preview->height(), twipsToPixels(pixelsToTwips(661) + 500));
    QCOMPARE(preview->findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("SAVE"));
    QCOMPARE(preview->findChild<QPushButton *>(QStringLiteral("Command2"))->text(), QStringLiteral("Back"));
    preview->close();
}

void ExportTest::backRestoresEditorAsItWas()
{
    Editor editor;
    auto *combo1 = editor.get<QComboBox>("Combo1");
    combo1->setCurrentIndex(3);
    editor.window.templates()->Combo1_Click();
    editor.get<CaptionLabel>("t3m1")->setCaption(QStringLiteral("kept"));
    auto *sticker = editor.get<StickerImage>("Image5");
    sticker->MouseDown(Qt::LeftButton, 0, 0);
    sticker->MouseMove(Qt::LeftButton, -3000, -3000);
    const TwipRect stickerPlace = sticker->twipRect();
    const QImage before = editor.window.grab().toImage();

    PreviewWindow *preview = editor.exportComic();
    const QImage first = preview->picture();
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QTRY_VERIFY(!editor.window.preview());
    QVERIFY(editor.window.isVisible());
    QCOMPARE(editor.window.size(), QSize(1057, 659));
    QCOMPARE(sticker->twipRect(), stickerPlace);
    QCOMPARE(editor.get<CaptionLabel>("t3m1")->caption(), QStringLiteral("kept"));
    QCOMPARE(editor.window.lngAlpha, 250);
    QVERIFY(!editor.get<QTimer>("Timer1")->isActive());
    // The comic as it was (the Export button keeps the keyboard focus it took).
    const QRect canvas(3, 26, 568, 630);
    QCOMPARE(editor.window.grab().toImage().copy(canvas), before.copy(canvas));

    // A second export captures afresh into a new preview.
    editor.get<CaptionLabel>("t3m1")->setCaption(QStringLiteral("changed"));
    PreviewWindow *second = editor.exportComic();
    QVERIFY(second);
    QCOMPARE(second->picture().size(), first.size());
    QVERIFY(second->picture() != first);
    second->close();
}

void ExportTest::closingPreviewActsAsBack()
{
    Editor editor;
    PreviewWindow *preview = editor.exportComic();
    QVERIFY(!editor.window.isVisible());
    QVERIFY(preview->close());
    QVERIFY(editor.window.isVisible());
    QCOMPARE(editor.window.width(), 1057);
}

void ExportTest::successfulSaveReportsPathAndStartsOver()
{
    QTemporaryDir folder;
    PictureFiles files;
    FramedWindow editor(FramedWindow::Frame::Captioned);
    editor.setOuterSize(QSize(572, 659));
    PreviewWindow preview(&editor, PictureSaver({folder.path()}, [] { return Stamped; }, &files));
    preview.setPicture(testPicture());
    preview.show();
    QSignalSpy saved(&preview, &PreviewWindow::saved);
    ShownMessage message;
    answerNextMessage(&message);
    QTest::mouseClick(preview.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    const QString path = folder.filePath(QStringLiteral("9507032413.jpg"));
    QCOMPARE(message.text, QStringLiteral("Picture has been saved at ") + path);
    QCOMPARE(message.title, QStringLiteral("Successfull"));
    QCOMPARE(message.icon, int(QMessageBox::Information));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().first().toString(), path);
    QVERIFY(QFile::exists(path));
    QVERIFY(!preview.isVisible());
    // The old editor is not brought back: a new one takes over.
    QVERIFY(!editor.isVisible());
}

void ExportTest::failedSaveKeepsPreviewAndComic()
{
    QTemporaryDir folder;
    FaultyFiles files;
    files.writeError = ENOSPC;
    FramedWindow editor(FramedWindow::Frame::Captioned);
    PreviewWindow preview(&editor, PictureSaver({folder.path()}, [] { return Stamped; }, &files));
    preview.setPicture(testPicture());
    preview.show();
    QSignalSpy saved(&preview, &PreviewWindow::saved);
    ShownMessage message;
    answerNextMessage(&message);
    QTest::mouseClick(preview.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(message.title, QStringLiteral("Zapquil"));
    QCOMPARE(message.icon, int(QMessageBox::Warning));
    QVERIFY(message.text.contains(folder.filePath(QStringLiteral("9507032413.jpg"))));
    QVERIFY(message.text.contains(QString::fromLocal8Bit(strerror(ENOSPC))));
    QVERIFY(saved.isEmpty());
    QVERIFY(preview.isVisible());
    QCOMPARE(preview.picture(), testPicture());
    QVERIFY(filesIn(folder.path()).isEmpty());

    // The user frees some space and tries again.
    files.writeError = 0;
    answerNextMessage(&message);
    QTest::mouseClick(preview.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(message.title, QStringLiteral("Successfull"));
    QCOMPARE(filesIn(folder.path()), QStringList{"9507032413.jpg"});
}

ZAPQUIL_TEST_MAIN(ExportTest)
#include "tst_export.moc"
