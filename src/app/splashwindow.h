#pragma once

#include "framedwindow.h"

class QTimer;

// `Form3`: the borderless splash shown for three seconds before the main window.
class SplashWindow : public FramedWindow
{
    Q_OBJECT

public:
    static constexpr int ShowMs = 3000;

    SplashWindow();

    // False when another copy already runs: the user has been told, and the program ends.
    bool Form3_Form_Load(bool previousInstance);
    void Form3_Timer1_Timer();

    qint32 lngAlpha = 0;

signals:
    void mainWindowWanted();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QTimer *m_timer;
};
