#pragma once

#include "twiprect.h"

class QRadioButton;
class QWidget;

// An option button in the program's look: Palatino 12 pt italic on white. Option buttons
// with the same parent form one group.
QRadioButton *createOptionButton(const char *name, const QString &caption, const TwipRect &rect, QWidget *parent);
