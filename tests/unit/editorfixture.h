#pragma once

#include "mainwindow.h"
#include "picturebox.h"

#include <QTest>
#include <QTimer>

// The real main window, shown offscreen and active, with its fade-in stopped so that a test
// drives the ticks itself.
struct EditorFixture
{
    MainWindow window;

    EditorFixture()
    {
        window.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the main window did not become active");
    }

    template<typename T = QWidget>
    T *get(const QString &name) const
    {
        T *control = window.findChild<T *>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    QWidget *client() const { return window.clientArea(); }
};
