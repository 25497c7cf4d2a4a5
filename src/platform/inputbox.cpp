#include "inputbox.h"

#include <QInputDialog>
#include <QLineEdit>

QString askText(QWidget *parent, const QString &prompt, const QString &title)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    // Wide enough for its title, which is the only advice on how long a text may be.
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMinimumWidth(dialog.fontMetrics().horizontalAdvance(title) + 120);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
