#include "ui/widgets/combo_list.h"

#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <climits>

namespace {
// Qt's own room around the entry of a closed list: at least 14 pixels of text and 2 more.
constexpr int kLeastTextHeight = 14;
constexpr int kTextPadding = 2;
// The style starts the entry one pixel inside its field.
const QMargins kEntryInset(1, 0, 0, 0);
} // namespace

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
    } else {
        clear();
        addItems(items);
        setCurrentIndex(index < count() ? index : -1);
    }
    if (wrapsText_) {
        updateGeometry(); // the widest entry, and so the height, may have changed
    }
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

void ComboList::SetWrapsText(bool wraps) {
    wrapsText_ = wraps && !isEditable();
    // A fixed height would hold the list to one line whatever its width asks for.
    QSizePolicy policy = sizePolicy();
    policy.setVerticalPolicy(wrapsText_ ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wrapsText_);
    setSizePolicy(policy);
    updateGeometry();
    update();
}

QRect ComboList::TextField(QSize size) const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(0, 0), size);
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
        .marginsRemoved(kEntryInset);
}

int ComboList::WrappedHeight(const QString& text, int fieldWidth) const {
    return fontMetrics()
        .boundingRect(QRect(0, 0, std::max(fieldWidth, 1), INT_MAX / 2), Qt::TextWordWrap, text)
        .height();
}

void ComboList::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (wrapsText_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        updateGeometry();
    }
}

// A wrapping list needs only the room of its widest word: a narrower layout is what it is for.
QSize ComboList::minimumSizeHint() const {
    QSize hint = QComboBox::minimumSizeHint();
    if (!wrapsText_) {
        return hint;
    }
    int widestWord = 0;
    for (const QString& item : Items()) {
        for (const QString& word : item.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            widestWord = std::max(widestWord, fontMetrics().horizontalAdvance(word));
        }
    }
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize contents(widestWord + kEntryInset.left() + kEntryInset.right(), hint.height());
    hint.setWidth(
        std::min(hint.width(),
                 style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this).width()));
    return hint;
}

bool ComboList::hasHeightForWidth() const {
    return wrapsText_;
}

// As Qt sizes a closed list, with the text as high as the widest entry wraps to.
int ComboList::heightForWidth(int width) const {
    const int oneLine = QComboBox::sizeHint().height();
    if (!wrapsText_) {
        return oneLine;
    }
    const int fieldWidth = TextField(QSize(width, oneLine)).width();
    int textHeight = fontMetrics().height();
    for (const QString& item : Items()) {
        textHeight = std::max(textHeight, WrappedHeight(item, fieldWidth));
    }
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize contents(width, std::max(textHeight, kLeastTextHeight) + kTextPadding);
    return std::max(
        oneLine, style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this).height());
}

// An entry that fits is drawn by the style as always; a wider one goes onto more lines.
void ComboList::paintEvent(QPaintEvent* event) {
    const QRect field = TextField(size());
    const QString text = currentText();
    if (!wrapsText_ || fontMetrics().horizontalAdvance(text) <= field.width()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText.clear();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option); // the icon, if any
    style()->drawItemText(&painter, field, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                          palette(), isEnabled(), text, QPalette::ButtonText);
}
