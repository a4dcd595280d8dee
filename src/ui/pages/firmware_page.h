#pragma once

#include <QWidget>

#include <array>

class QLabel;

// The page "Смена ПО": the connected device and the firmware file chosen for it, in seven rows
// of a caption and a value (TypeLabel, DevSWLabel, FileLabel, FileTypeLabel, SizeLabel,
// DateLabel, VersionLabel, each caption named <value>Caption), the hidden progress bar pb1 and
// the maker's panel MakerPanel2. The window's commands fill the values by name.
class FirmwarePage : public QWidget {
    Q_OBJECT
public:
    explicit FirmwarePage(QWidget* parent = nullptr);

    // The captions and the maker's panel in the language now in use.
    void Retranslate();
    // Empties the seven values, and the file's full path in FileLabel's tooltip.
    void Clear();

    static constexpr int kRowCount = 7;

private:
    struct Row {
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
    };
    std::array<Row, kRowCount> rows_{};
    QLabel* fileLabel_ = nullptr;
    QWidget* makerPanel_ = nullptr;
};
