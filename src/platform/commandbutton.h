#pragma once

#include "twiprect.h"

class QPushButton;
class QWidget;

// A command button in the program's look: Tahoma 11.25 pt bold on a light blue face.
QPushButton *createCommandButton(const char *name, const QString &caption, const TwipRect &rect, QWidget *parent);
