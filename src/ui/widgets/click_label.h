#pragma once

#include <QLabel>

// A label that can be clicked, such as a web or e-mail link drawn as underlined blue text.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // Blue, underlined, with a pointing-hand cursor.
    void SetLinkStyle();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
