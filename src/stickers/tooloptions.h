#pragma once

#include "picturebox.h"

class QRadioButton;

// The borderless box `Picture1` with the sticker tool options Enlarge, Minimize and
// Do nothing, one option group of their own.
class ToolOptions : public PictureBox
{
    Q_OBJECT

public:
    enum class Tool { Enlarge, Minimize, DoNothing };

    explicit ToolOptions(QWidget *parent);

    Tool selected() const;
    void selectDoNothing();
    void setOptionsEnabled(bool enabled);

private:
    QRadioButton *m_enlarge;
    QRadioButton *m_minimize;
    QRadioButton *m_doNothing;
};
