#pragma once

#include <QObject>
#include "mainwindow.h"
#include "splashwindow.h"

#include <QPointer>


// Runs the program's windows: the splash, then the main window, which is replaced by a
// fresh one after every save. The program ends with the main window.
class AppController : public QObject
{
    Q_OBJECT

public:
    // False when another copy runs: the user has been told and the program should end.
    bool start(bool previousInstance);

    MainWindow *mainWindow() const { return m_main; }

private:
    void showMainWindow();
    void reloadMainWindow();

    QPointer<SplashWindow> m_splash;
    QPointer<MainWindow> m_main;
};
