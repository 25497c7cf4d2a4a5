// In-process figures of the editor, each the median of many runs, printed one per line as
// "name<TAB>median<TAB>unit" for bench/run to put into its table.
#include "mainwindow.h"
#include "picturesaver.h"
#include "stickerimage.h"
#include "tooloptions.h"
#include "windowcapture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

// Milliseconds of one run of the step, as a median over the given number of runs.
double medianMs(int runs, const std::function<void(int)> &step)
{
    std::vector<double> samples;
    samples.reserve(size_t(runs));
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        step(run);
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

void report(const char *name, double value, const char *unit)
{
    printf("%s\t%.3f\t%s\n", name, value, unit);
    fflush(stdout);
}

// Repaints whatever the last event made dirty, as the event loop does before it sleeps.
void repaintDone()
{
    QApplication::processEvents();
}

struct Editor
{
    MainWindow window;

    Editor()
    {
        window.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        window.show();
        QTest::qWaitForWindowExposed(&window);
        repaintDone();
    }
    QPoint inWindow(QPoint client) const { return client + window.clientArea()->pos(); }
};

void dragStep()
{
    Editor editor;
    QWindow *handle = editor.window.windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, editor.inWindow({600, 420}));
    QPoint at(600, 420);
    const double ms = medianMs(1000, [&](int step) {
        at += QPoint(step % 200 < 100 ? -1 : 1, step % 50 < 25 ? -1 : 1);
        QTest::mouseMove(handle, editor.inWindow(at));
        repaintDone();
    });
    QTest::mouseRelease(handle, Qt::LeftButton, {}, editor.inWindow(at));
    report("sticker drag step", ms, "ms");
}

void enlargeMemory()
{
    Editor editor;
    auto *sticker = editor.window.findChild<StickerImage *>(QStringLiteral("Image14"));
    QTest::mouseClick(editor.window.findChild<QRadioButton *>(QStringLiteral("Option1")), Qt::LeftButton);
    report("resident memory before the Enlarge clicks", residentMegabytes(), "MB");
    for (int click = 0; click < 10000; ++click) {
        sticker->Click();
        if (click % 100 == 0)
            repaintDone();
    }
    repaintDone();
    report("resident memory after 10 000 Enlarge clicks", residentMegabytes(), "MB");
}

void chooseByKeyboard(QComboBox *combo, int index)
{
    const int from = combo->currentIndex();
    QTest::keyClick(combo, index > from ? Qt::Key_Down : Qt::Key_Up);
}

void layoutSwitch()
{
    Editor editor;
    auto *combo = editor.window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    combo->setCurrentIndex(0);
    const double ms = medianMs(400, [&](int run) {
        chooseByKeyboard(combo, (run / 4) % 2 ? combo->currentIndex() - 1 : combo->currentIndex() + 1);
        repaintDone();
    });
    report("layout switch", ms, "ms");
}

void templateSwitch()
{
    Editor editor;
    QTest::mouseClick(editor.window.findChild<QRadioButton *>(QStringLiteral("Option5")), Qt::LeftButton);
    auto *combo = editor.window.findChild<QComboBox *>(QStringLiteral("Combo2"));
    combo->setCurrentIndex(0);
    const double ms = medianMs(400, [&](int run) {
        chooseByKeyboard(combo, (run / 9) % 2 ? combo->currentIndex() - 1 : combo->currentIndex() + 1);
        repaintDone();
    });
    report("template switch", ms, "ms");
}

void captureAndSave()
{
    Editor editor;
    editor.window.setOuterSize(QSize(MainWindow::ExportOuterWidth, editor.window.height()));
    QImage picture;
    report("capture of the main window", medianMs(100, [&](int) { picture = GrabWholeForm(&editor.window); }), "ms");

    QTemporaryDir folder;
    PictureFiles files;
    int second = 0;
    const PictureSaver saver({folder.path()}, [&] { return QDateTime(QDate(2013, 3, 24), QTime(9, 5, 0)).addSecs(second++); },
                             &files);
    const double saveMs = medianMs(50, [&](int) { saver.save(picture); });
    report("save: encode + write + fsync 572 x 659 JPEG", saveMs, "ms");

    // The reference: libjpeg-turbo's own encoder on the same pixels, in the same run.
    const QString ppm = folder.filePath(QStringLiteral("capture.ppm"));
    picture.convertToFormat(QImage::Format_RGB888).save(ppm, "PPM");
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty())
        return;
    const double referenceMs = medianMs(50, [&](int run) {
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"),
                                                 QStringLiteral("'%1' -quality 95 -outfile '%2' '%3' && sync -d '%2'")
                                                     .arg(cjpeg, folder.filePath(QStringLiteral("ref%1.jpg").arg(run)), ppm)});
    });
    report("cjpeg -quality 95 (+ sync) on the same pixels", referenceMs, "ms");
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    dragStep();
    layoutSwitch();
    templateSwitch();
    captureAndSave();
    enlargeMemory();
    return 0;
}
