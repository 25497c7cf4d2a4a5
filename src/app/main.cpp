#include "appcontroller.h"
#include "singleinstance.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zapquil"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    // The splash closes before the main window exists and a save replaces the main window:
    // the program ends only when the main window says so.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    AppController controller;
    if (!controller.start(!instance.acquire()))
        return 0;
    return app.exec();
}
