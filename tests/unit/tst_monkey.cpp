#include "testsupport.h"

#include "mainwindow.h"
#include "picturesaver.h"
#include "previewwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>

// Thousands of random mouse and key events on the editor and whatever it opens: lists,
// message boxes, input boxes, the preview, saving. Nothing may crash or hang, and the
// editor's invariants must hold throughout.
class MonkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void randomEventsKeepInvariants();
};

namespace {

constexpr int Events = 10000;

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Stands in for the program's controller: a fresh editor after a save, and after the end of
// the program a new one, so the monkey can go on.
class Host : public QObject
{
public:
    explicit Host(const QString &folder)
        : m_folder(folder)
    {
        open();
    }
    ~Host() override
    {
        dropRetired();
        delete m_window;
    }
    // Called where no handler of a retired window can be running any more.
    void dropRetired()
    {
        qDeleteAll(m_retired);
        m_retired.clear();
    }

    MainWindow *window() const { return m_window; }
    int ends = 0;
    int saves = 0;

private:
    void open()
    {
        m_window = new MainWindow(PictureSaver({m_folder}, &QDateTime::currentDateTime, &m_files));
        connect(m_window, &MainWindow::reloadWanted, this, [this] { replace(&saves); }, Qt::QueuedConnection);
        connect(m_window, &MainWindow::programEnded, this, [this] {
            // The end of the program closes every window, the boxes opened on the way too.
            while (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            replace(&ends);
        }, Qt::QueuedConnection);
        m_window->show();
    }
    // The old window may still be running a handler further down the stack (a box it
    // opened): it is hidden now and deleted once the monkey is back at the bottom.
    void replace(int *counter)
    {
        ++*counter;
        m_window->hide();
        m_retired << m_window.data();
        open();
    }

    QString m_folder;
    PictureFiles m_files;
    QPointer<MainWindow> m_window;
    QList<MainWindow *> m_retired;
};

QWidget *target(Host &host)
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (qobject_cast<PreviewWindow *>(top) && top->isVisible())
            return top;
    return host.window();
}

int visiblePreviews()
{
    int count = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        count += qobject_cast<PreviewWindow *>(top) && top->isVisible();
    return count;
}

QtMessageHandler quietPrevious = nullptr;

// Drags off the window and an offscreen screen are the point here, not worth a warning each.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("occurs outside target window"))
        || message.startsWith(QLatin1String("This plugin does not support")))
        return;
    quietPrevious(type, context, message);
}

} // namespace

void MonkeyTest::randomEventsKeepInvariants()
{
    quietPrevious = qInstallMessageHandler(quietHandler);
    const auto restore = qScopeGuard([] { qInstallMessageHandler(quietPrevious); });
    const quint32 seed = qEnvironmentVariableIsSet("ZAPQUIL_MONKEY_SEED")
        ? quint32(qEnvironmentVariableIntValue("ZAPQUIL_MONKEY_SEED"))
        : QRandomGenerator::global()->generate();
    qInfo("monkey seed %u (set ZAPQUIL_MONKEY_SEED to replay)", seed);
    QRandomGenerator random(seed);

    QTemporaryDir folder;
    Host host(folder.path());
    QVERIFY(QTest::qWaitForWindowExposed(host.window()));

    const Qt::Key keys[] = {Qt::Key_A, Qt::Key_Z, Qt::Key_5, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,
                            Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
                            Qt::Key_Right, Qt::Key_Space, Qt::Key_Ampersand};
    double memoryAfterWarmUp = 0;
    int sent = 0;
    QString failure;
    QEventLoop loop;
    // Each event schedules the next before it is sent, so the monkey goes on inside every
    // modal box it opens, whose event loop runs one level deeper. Sending an event processes
    // events too: a step due while one is being sent at the same level waits for it.
    std::vector<int> levels;
    std::function<void()> step;
    step = [&] {
        const int level = QThread::currentThread()->loopLevel();
        if (!levels.empty() && level <= levels.back()) {
            QTimer::singleShot(1, &loop, step);
            return;
        }
        if (sent == Events) {
            // Done: whatever is still open is answered, and the monkey leaves from the bottom.
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            if (levels.empty())
                loop.quit();
            else
                QTimer::singleShot(1, &loop, step);
            return;
        }
        if (levels.empty())
            host.dropRetired();
        ++sent;
        levels.push_back(level);
        const auto done = qScopeGuard([&] { levels.pop_back(); });
        QTimer::singleShot(0, &loop, step);
        if (visiblePreviews() > 1)
            failure = QStringLiteral("two previews at event %1").arg(sent);
        QWidget *at = target(host);
        if (!at || !at->windowHandle())
            return;
        QWindow *window = at->windowHandle();
        const auto point = [&](int outside = 0) {
            return QPoint(random.bounded(-outside, at->width() + outside), random.bounded(-outside, at->height() + outside));
        };
        const Qt::MouseButton button = random.bounded(10) < 8 ? Qt::LeftButton : Qt::RightButton;
        const int kind = random.bounded(100);
        if (kind < 35) {
            const QPoint p = point();
            QTest::mousePress(window, button, {}, p);
            QTest::mouseRelease(window, button, {}, p);
        } else if (kind < 55) {
            QTest::mousePress(window, button, {}, point());
            for (int step = 0; step < 4; ++step)
                QTest::mouseMove(window, point(300));
            QTest::mouseRelease(window, button, {}, point(300));
        } else if (kind < 62) {
            QTest::mouseDClick(window, Qt::LeftButton, {}, point());
        } else if (kind < 67) {
            QTest::mouseMove(window, point());
        } else {
            QTest::keyClick(window, keys[random.bounded(int(std::size(keys)))]);
        }
        if (sent == 1000)
            memoryAfterWarmUp = residentMegabytes();
    };
    QTimer::singleShot(0, &loop, step);
    loop.exec();

    QApplication::processEvents();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    MainWindow *window = host.window();
    QVERIFY(window);
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("Combo1"))->count(), 5);
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("Combo2"))->count(), 10);
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("Combo3"))->count(), 0);
    QVERIFY(visiblePreviews() <= 1);
    const QRegularExpression savedName(QStringLiteral("^\\d{10,12}(-\\d+)?\\.jpg$"));
    for (const QString &name : QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        QVERIFY2(savedName.match(name).hasMatch(), qPrintable(name));
    const double memoryAtEnd = residentMegabytes();
#ifndef __SANITIZE_ADDRESS__ // AddressSanitizer holds freed memory back on purpose
    QVERIFY2(memoryAtEnd < memoryAfterWarmUp + 60,
             qPrintable(QStringLiteral("%1 MB after warm-up, %2 MB at the end").arg(memoryAfterWarmUp).arg(memoryAtEnd)));
#endif
    qInfo("%d events; %d saves, %d program ends, %lld files; %.0f MB -> %.0f MB", sent, host.saves, host.ends,
          qlonglong(QDir(folder.path()).entryList(QDir::Files).size()), memoryAfterWarmUp, memoryAtEnd);
}

ZAPQUIL_TEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
