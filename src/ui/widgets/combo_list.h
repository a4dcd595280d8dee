#pragma once

#include <QComboBox>
#include <QRect>
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

    // A closed list whose entry is wider than its field shows it on as many lines as it needs
    // instead of cutting it; the list is then as high as its widest entry needs at its width.
    // For a list of fixed width that cannot widen (lists without typed text only).
    void SetWrapsText(bool wraps);
    bool WrapsText() const { return wrapsText_; }
    // The field the entry is shown in, for a list of that size.
    QRect TextField(QSize size) const;

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

signals:
    void changedByUser();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FollowTypedText(const QString& text);
    // The height the entry needs in a field of that width, wrapped at word boundaries.
    int WrappedHeight(const QString& text, int fieldWidth) const;

    bool wrapsText_ = false;
};
