#include "tooloptions.h"

#include "fonts.h"
#include "optionbutton.h"

#include <QRadioButton>

ToolOptions::ToolOptions(QWidget *parent)
    : PictureBox(QStringLiteral("Picture1"), parent)
    , m_enlarge(createOptionButton("Option1", QStringLiteral("Enlarge"), {0, 0, 1335, 375}, this))
    , m_minimize(createOptionButton("Option2", QStringLiteral("Minimize"), {0, 360, 1335, 375}, this))
    , m_doNothing(createOptionButton("Option3", QStringLiteral("Do nothing"), {0, 720, 2415, 375}, this))
{
    setGeometry(TwipRect{8880, 960, 1935, 1095}.toPixels());
    setBackground(palette().color(QPalette::Base));
    setFont(Fonts::msSansSerif(8.25));
    // Listed earlier lies above: Enlarge over Minimize over Do nothing where their rows overlap.
    m_minimize->raise();
    m_enlarge->raise();
    m_doNothing->setChecked(true);
}

ToolOptions::Tool ToolOptions::selected() const
{
    if (m_enlarge->isChecked())
        return Tool::Enlarge;
    if (m_minimize->isChecked())
        return Tool::Minimize;
    return Tool::DoNothing;
}

void ToolOptions::selectDoNothing()
{
    m_doNothing->setChecked(true);
}

void ToolOptions::setOptionsEnabled(bool enabled)
{
    m_enlarge->setEnabled(enabled);
    m_minimize->setEnabled(enabled);
    m_doNothing->setEnabled(enabled);
}
