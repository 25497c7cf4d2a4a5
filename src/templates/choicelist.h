#pragma once

#include <QComboBox>

// A drop-down list with a text field that never takes typed characters: its text changes
// only by choosing an item, with the mouse or the arrow keys, and no item is ever added.
class ChoiceList : public QComboBox
{
    Q_OBJECT

public:
    ChoiceList(const QString &name, const QString &text, QWidget *parent);

    // Appends an item and keeps the text and the selection as they stand.
    void appendItem(const QString &item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};
