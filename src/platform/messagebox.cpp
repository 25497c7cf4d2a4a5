#include "messagebox.h"

#include <QMessageBox>

void showMessage(QWidget *parent, const QString &text, const QString &title, MessageIcon icon)
{
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Warning, QMessageBox::Information};
    QMessageBox box(icons[int(icon)], title, QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
