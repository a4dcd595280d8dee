#pragma once

#include <QComboBox>
#include <QStringList>

// A drop-down list. Selecting an entry by program runs no rule: rules listen to `activated` (a
// user's pick) or, for lists that accept typed text, to `changedByUser` (a pick or a keystroke).
// A typed text selects the entry it equals; any other text leaves no entry selected while the
// typed text stays in the field.
class ComboList : public QComboBox {
    Q_OBJECT
public:
    explicit ComboList(bool acceptsTypedText, QWidget* parent = nullptr);

    // Replaces the entry texts; the selected index stays when the count stays the same.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    bool AcceptsTypedText() const { return isEditable(); }

    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);

signals:
    void changedByUser();

private:
    void FollowTypedText(const QString& text);
};
