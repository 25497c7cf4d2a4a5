#include "appcontroller.h"

#include <QCoreApplication>

bool AppController::start(bool previousInstance)
{
    m_splash = new SplashWindow;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    if (!m_splash->Form3_Form_Load(previousInstance)) {
        delete m_splash;
        return false;
    }
    connect(m_splash, &SplashWindow::mainWindowWanted, this, &AppController::showMainWindow);
    m_splash->show();
    return true;
}

void AppController::showMainWindow()
{
    m_main = new MainWindow;
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &MainWindow::programEnded, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(m_main, &MainWindow::reloadWanted, this, &AppController::reloadMainWindow, Qt::QueuedConnection);
    m_main->centerOnScreen();
    m_main->show();
}

void AppController::reloadMainWindow()
{
    delete m_main;
    showMainWindow();
}
