#pragma once

#include <QUrl>
#include <QWidget>

class Desktop;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;
class QTreeWidget;

// The program's own help window: the shipped HTML help files in a text browser, with the file's
// table of contents beside it, back and forward, find in the page (Ctrl+F, Enter or F3 for the
// next match) and the links between the language editions. Links to the web and e-mail go to the
// desktop. It is an ordinary window: the main window stays usable while it is open.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // desktop may be null (web links then open nothing).
    HelpWindow(Desktop* desktop, QWidget* parent);

    // Shows the file (a local HTML file), scrolled to the section of that anchor (the top for
    // none), and brings the window to the front with the keyboard (Ctrl+F finds at once).
    void ShowSection(const QString& file, const QString& anchor);

    // The file shown and the section last asked for, as the browser holds them.
    QUrl Source() const;

    // Finds the next (or previous) match of the find field's text, from the cursor on, wrapping
    // at the end; false when the page holds none.
    bool FindNext(bool backwards = false);

    void Retranslate();

protected:
    void changeEvent(QEvent* event) override;

private:
    void BuildContents();
    void OpenLink(const QUrl& url);
    void ShowFindField();

    Desktop* desktop_;
    QTextBrowser* browser_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* find_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QLabel* findLabel_ = nullptr;
};
