#include "inputbox.h"

#include <QInputDialog>

QString askText(QWidget *parent, const QString &prompt, const QString &title)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
