#pragma once

#include <QLabel>
#include <QString>

// A one-line label whose text, when wider than the label, is shown with its middle left out
// ("/home/…/Base/fw.tsk"), so that both ends of a path stay in sight. text() keeps the whole
// text. Its width comes from the layout, never from the text: a long text does not push its
// neighbours aside.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // What the label shows at its present width and font.
    QString DisplayedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
