#include "ui/widgets/combo_list.h"

#include <QLineEdit>
#include <QSignalBlocker>

ComboList::ComboList(bool acceptsTypedText, QWidget* parent) : QComboBox(parent) {
    setEditable(acceptsTypedText);
    connect(this, &QComboBox::activated, this, &ComboList::changedByUser);
    if (acceptsTypedText) {
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr); // typed text stays as typed, no inline completion
        connect(lineEdit(), &QLineEdit::textEdited, this, &ComboList::FollowTypedText);
    }
}

void ComboList::SetItems(const QStringList& items) {
    const int index = currentIndex();
    if (items.size() == count()) {
        for (int i = 0; i < count(); ++i) {
            setItemText(i, items[i]);
        }
        return;
    }
    clear();
    addItems(items);
    setCurrentIndex(index < count() ? index : -1);
}

QStringList ComboList::Items() const {
    QStringList items;
    for (int i = 0; i < count(); ++i) {
        items << itemText(i);
    }
    return items;
}

void ComboList::SetItemIndex(int index) {
    setCurrentIndex(index >= -1 && index < count() ? index : -1);
}

void ComboList::FollowTypedText(const QString& text) {
    const int match = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match != currentIndex()) {
        // Changing the index rewrites the field; put the typed text and the cursor back.
        const int cursor = lineEdit()->cursorPosition();
        const QSignalBlocker quiet(lineEdit());
        setCurrentIndex(match);
        lineEdit()->setText(text);
        lineEdit()->setCursorPosition(cursor);
    }
    emit changedByUser();
}
