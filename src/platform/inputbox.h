#pragma once

#include <QString>

class QWidget;

// A modal one-line input box that starts empty. OK gives the text as typed; Cancel or
// closing the box gives the empty text.
QString askText(QWidget *parent, const QString &prompt, const QString &title);
