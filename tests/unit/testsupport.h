#pragma once

#include <QApplication>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <functional>

// Every suite runs in the program's own look, so geometry and fonts match the product.
#define ZAPQUIL_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));                                     \
        QApplication::setQuitOnLastWindowClosed(false);                                                                \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

// Answers the next modal dialog (a message box or an input box) once it is up: the callback
// gets the dialog, reads or types what it needs, and closes it. The returned poll belongs to
// the application and ends itself once it has answered.
inline QTimer *whenModalOpens(std::function<void(QWidget *)> answer)
{
    auto *poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
    return poll;
}
