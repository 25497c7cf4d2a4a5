#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Warning, Information };

// A modal message box with one OK button. Lines of the text are joined by CR LF.
void showMessage(QWidget *parent, const QString &text, const QString &title, MessageIcon icon);
