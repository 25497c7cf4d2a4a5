#include "choicelist.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

ChoiceList::ChoiceList(const QString &name, const QString &text, QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setReadOnly(true);
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    lineEdit()->installEventFilter(this);
    setEditText(text);
}

bool ChoiceList::eventFilter(QObject *watched, QEvent *event)
{
    // The text can't be edited, so a press on it opens the list as a press on the arrow does.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QPointF arrow =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
        QMouseEvent onArrow(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), press->button(), press->buttons(),
                            press->modifiers());
        mousePressEvent(&onArrow);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void ChoiceList::appendItem(const QString &item)
{
    const QString text = currentText();
    const int index = currentIndex();
    addItem(item);
    setCurrentIndex(index);
    setEditText(text);
}

void ChoiceList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        break;
    }
    // Every key that types a character is thrown away before the text field sees it;
    // keys without one (the arrows, Tab, opening the list) go on as usual.
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ChoiceList::inputMethodEvent(QInputMethodEvent *event)
{
    event->accept();
}
