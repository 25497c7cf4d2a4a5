#include "testsupport.h"

#include "captionlabel.h"
#include "captiontable.h"
#include "fonts.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPainter>

class CaptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void clickAsksAndSetsCaption_data();
    void clickAsksAndSetsCaption();
    void emptiedCaptionStillAnswersClicks();
    void fixedLabelIsNeverEdited();
    void releaseOutsideIsNoClick();
    void textWrapsAtWordsAndIsCutAtHeight();
    void ampersandMarksAccessKey_data();
    void ampersandMarksAccessKey();
    void unusualInputIsDrawnSafely_data();
    void unusualInputIsDrawnSafely();
    void tableGivesTitlesPerLabel_data();
    void tableGivesTitlesPerLabel();
};

namespace {

// One label on a white panel, as it lies on the canvas.
struct Canvas
{
    QWidget panel;
    CaptionLabel *label;

    explicit Canvas(const QString &caption = QStringLiteral("Click Here to Edit"),
                    const QString &title = QStringLiteral("Comment must not be over 30 chars"))
        : label(new CaptionLabel(QStringLiteral("t3m1"), {360, 240, 3615, 1095}, &panel))
    {
        panel.resize(400, 200);
        panel.setAutoFillBackground(true);
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, Qt::white);
        panel.setPalette(palette);
        label->setFont(Fonts::tahomaBold(20.25));
        label->setCaption(caption);
        label->setInputTitle(title);
    }

    QImage render() { return panel.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

void answerInputBox(const QString &typed, bool accept, QString *title = nullptr, QString *prompt = nullptr,
                    QString *start = nullptr)
{
    whenModalOpens([=](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        if (title)
            *title = dialog->windowTitle();
        if (prompt)
            *prompt = dialog->labelText();
        auto *field = dialog->findChild<QLineEdit *>();
        if (start)
            *start = field->text();
        QTest::keyClicks(field, typed);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

} // namespace

void CaptionsTest::clickAsksAndSetsCaption_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("caption");
    QTest::newRow("ok") << QStringLiteral("When you see it") << true << QStringLiteral("When you see it");
    QTest::newRow("ok keeps blanks") << QStringLiteral("  spaced  ") << true << QStringLiteral("  spaced  ");
    QTest::newRow("ok empty") << QString() << true << QString();
    QTest::newRow("cancel") << QStringLiteral("never mind") << false << QString();
    QTest::newRow("longer than the title allows")
        << QStringLiteral("This caption is far longer than thirty characters, and that is fine") << true
        << QStringLiteral("This caption is far longer than thirty characters, and that is fine");
}

void CaptionsTest::clickAsksAndSetsCaption()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, caption);
    Canvas canvas;
    canvas.panel.show();
    QString title, prompt, start = QStringLiteral("unset");
    answerInputBox(typed, accept, &title, &prompt, &start);
    QTest::mouseClick(canvas.label, Qt::LeftButton, {}, QPoint(200, 60));
    QCOMPARE(title, QStringLiteral("Comment must not be over 30 chars"));
    QCOMPARE(prompt, QStringLiteral("Enter Comment:"));
    QVERIFY(start.isEmpty());
    QCOMPARE(canvas.label->caption(), caption);
    QCOMPARE(canvas.label->geometry(), QRect(24, 16, 241, 73));
}

void CaptionsTest::emptiedCaptionStillAnswersClicks()
{
    Canvas canvas{QString()};
    canvas.panel.show();
    QVERIFY(!inkBounds(canvas.render()).isValid());
    answerInputBox(QStringLiteral("Back again"), true);
    // Far from where any text would be drawn, still inside the rectangle.
    QTest::mouseClick(canvas.label, Qt::LeftButton, {}, QPoint(235, 68));
    QCOMPARE(canvas.label->caption(), QStringLiteral("Back again"));
}

void CaptionsTest::fixedLabelIsNeverEdited()
{
    Canvas canvas(QStringLiteral("BUT WHEN I DO"), QString());
    canvas.panel.show();
    bool asked = false;
    QTimer *poll = whenModalOpens([&](QWidget *modal) {
        asked = true;
        modal->close();
    });
    QTest::mouseClick(canvas.label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::qWait(50);
    delete poll;
    QVERIFY(!asked);
    QCOMPARE(canvas.label->caption(), QStringLiteral("BUT WHEN I DO"));
}

void CaptionsTest::releaseOutsideIsNoClick()
{
    Canvas canvas;
    canvas.panel.show();
    QTest::mousePress(canvas.label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(canvas.label, Qt::LeftButton, {}, QPoint(300, 150));
    QCOMPARE(canvas.label->caption(), QStringLiteral("Click Here to Edit"));
    QVERIFY(!QApplication::activeModalWidget());
}

void CaptionsTest::textWrapsAtWordsAndIsCutAtHeight()
{
    // Too wide for 241 px in one line: it breaks into two, left-aligned.
    Canvas canvas(QStringLiteral("Click Here to Edit me"));
    const QRect ink = inkBounds(canvas.render());
    QVERIFY(ink.isValid());
    QVERIFY(QRect(24, 16, 241, 73).contains(ink));
    QVERIFY2(ink.height() > 40, "the caption should take two lines");
    QVERIFY(ink.left() < 24 + 4);

    // Five lines' worth is cut at the label's lower edge.
    canvas.label->setCaption(QStringLiteral("one two three four five six seven eight nine ten eleven twelve"));
    const QRect cut = inkBounds(canvas.render());
    QCOMPARE(cut.bottom() <= 16 + 73 - 1, true);
    QVERIFY(cut.bottom() > 16 + 73 - 12);
}

void CaptionsTest::ampersandMarksAccessKey_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("drawnAs");
    QTest::addColumn<bool>("underlined");
    QTest::newRow("double ampersand draws one") << QStringLiteral("A&&B") << QStringLiteral("A&B") << false;
    QTest::newRow("single ampersand underlines") << QStringLiteral("&Hi") << QStringLiteral("Hi") << true;
}

void CaptionsTest::ampersandMarksAccessKey()
{
    QFETCH(QString, caption);
    QFETCH(QString, drawnAs);
    QFETCH(bool, underlined);
    Canvas marked(caption);
    const QRect markedInk = inkBounds(marked.render());
    Canvas empty{QString()};
    QImage literal = empty.render();
    QPainter painter(&literal);
    painter.setFont(marked.label->font());
    painter.setPen(Qt::black);
    painter.drawText(marked.label->geometry(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, drawnAs);
    painter.end();
    const QRect literalInk = inkBounds(literal);
    // The same letters, and an underline below the marked one.
    QCOMPARE(markedInk.right(), literalInk.right());
    QCOMPARE(markedInk.top(), literalInk.top());
    QCOMPARE(markedInk.bottom() > literalInk.bottom(), underlined);
}

void CaptionsTest::unusualInputIsDrawnSafely_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("10 000 characters") << QString(10000, QLatin1Char('W'));
    QTest::newRow("10 000 words") << QStringLiteral("ha ").repeated(3334);
    QTest::newRow("emoji") << QStringLiteral("\U0001F602\U0001F923 lol \U0001F47E");
    QTest::newRow("right to left") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627");
    QTest::newRow("pasted newlines") << QStringLiteral("first\nsecond\r\nthird");
    QTest::newRow("lone ampersand at the end") << QStringLiteral("fish &");
}

void CaptionsTest::unusualInputIsDrawnSafely()
{
    QFETCH(QString, caption);
    Canvas canvas(caption);
    canvas.panel.show();
    const QImage picture = canvas.render();
    const QRect ink = inkBounds(picture);
    QVERIFY(!ink.isValid() || QRect(24, 16, 241, 73).contains(ink));
    QCOMPARE(canvas.label->caption(), caption);
}

void CaptionsTest::tableGivesTitlesPerLabel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    const QString over30 = QStringLiteral("Comment must not be over 30 chars");
    const QString over25 = QStringLiteral("Comment must not be over 25 chars");
    const QString over50 = QStringLiteral("Comment must not be over 50 chars");
    for (const char *name : {"Label3", "t1m1", "t1m2", "t3m1", "t3m2"})
        QTest::newRow(name) << QString::fromLatin1(name) << over30;
    QTest::newRow("tm42") << QStringLiteral("tm42") << over25;
    for (const char *name : {"Label2", "t2m1", "t2m2", "t2m3", "t3m3", "t3m4", "t4m1", "t4m3", "Label4", "Label5",
                             "Label6", "Label7", "Label8", "Label9", "Label10", "Label11", "Label12", "Label13",
                             "Label14", "Label15", "Label16", "Label17", "Label18", "Label19", "Label21", "Label22",
                             "Label23", "Label24", "Label25"})
        QTest::newRow(name) << QString::fromLatin1(name) << over50;
    QTest::newRow("Label20") << QStringLiteral("Label20") << QString();
}

void CaptionsTest::tableGivesTitlesPerLabel()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    const CaptionEntry *entry = findCaption(name);
    QVERIFY(entry);
    QCOMPARE(QLatin1String(entry->inputTitle), title);
    QCOMPARE(captionTable().size(), size_t(36));
}

ZAPQUIL_TEST_MAIN(CaptionsTest)
#include "tst_captions.moc"
