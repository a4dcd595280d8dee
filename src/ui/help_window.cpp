#include "ui/help_window.h"

#include "ui/desktop.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kWindowSize(900, 640);
constexpr int kContentsWidth = 240;
// The headings the table of contents lists: chapters and their sections.
constexpr int kChapterLevel = 2;
constexpr int kSectionLevel = 3;

bool IsDesktopLink(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// The first anchor name of a block's text, e.g. "files" of <h2 id="files">.
QString AnchorOf(const QTextBlock& block) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QStringList names = fragment.fragment().charFormat().anchorNames();
        if (!names.isEmpty()) {
            return names.constFirst();
        }
    }
    return {};
}

} // namespace

HelpWindow::HelpWindow(Desktop* desktop, QWidget* parent)
    : QWidget(parent, Qt::Window), desktop_(desktop) {
    setObjectName(QStringLiteral("HelpWindow"));

    back_ = new QToolButton(this);
    back_->setObjectName(QStringLiteral("HelpBack"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = new QToolButton(this);
    forward_->setObjectName(QStringLiteral("HelpForward"));
    forward_->setShortcut(QKeySequence::Forward);
    findLabel_ = new QLabel(this);
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("HelpFind"));
    find_->setClearButtonEnabled(true);
    findLabel_->setBuddy(find_);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(false);
    contents_ = new QTreeWidget(this);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    contents_->setHeaderHidden(true);
    contents_->setColumnCount(1);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch(1);
    bar->addWidget(findLabel_);
    bar->addWidget(find_);
    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({kContentsWidth, kWindowSize.width() - kContentsWidth});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::OpenLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { BuildContents(); });
    connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        browser_->scrollToAnchor(item->data(0, Qt::UserRole).toString());
    });
    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        browser_->scrollToAnchor(item->data(0, Qt::UserRole).toString());
    });
    connect(find_, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, &HelpWindow::ShowFindField);
    auto* nextKey = new QShortcut(QKeySequence::FindNext, this);
    connect(nextKey, &QShortcut::activated, this, [this] { FindNext(); });
    auto* previousKey = new QShortcut(QKeySequence::FindPrevious, this);
    connect(previousKey, &QShortcut::activated, this, [this] { FindNext(true); });
    back_->setEnabled(false);
    forward_->setEnabled(false);
    Retranslate();
    resize(kWindowSize);
}

void HelpWindow::Retranslate() {
    setWindowTitle(tr("Справка"));
    back_->setText(tr("← Назад"));
    forward_->setText(tr("Вперед →"));
    findLabel_->setText(tr("&Найти:"));
}

void HelpWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QWidget::changeEvent(event);
}

void HelpWindow::ShowSection(const QString& file, const QString& anchor) {
    QUrl url = QUrl::fromLocalFile(file);
    if (!anchor.isEmpty()) {
        url.setFragment(anchor);
    }
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::Source() const {
    return browser_->source();
}

// Links inside the help (a section, the other language's file) stay in the window; the web and
// e-mail go to the desktop.
void HelpWindow::OpenLink(const QUrl& url) {
    if (IsDesktopLink(url)) {
        if (desktop_ != nullptr) {
            desktop_->OpenUrl(url);
        }
        return;
    }
    browser_->setSource(browser_->source().resolved(url));
}

// The chapters and sections of the file shown, each leading to its heading.
void HelpWindow::BuildContents() {
    contents_->clear();
    QTreeWidgetItem* chapter = nullptr;
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        const QString anchor = AnchorOf(block);
        if ((level != kChapterLevel && level != kSectionLevel) || anchor.isEmpty()) {
            continue;
        }
        auto* item = level == kSectionLevel && chapter != nullptr ? new QTreeWidgetItem(chapter)
                                                                  : new QTreeWidgetItem(contents_);
        item->setText(0, block.text().simplified());
        item->setData(0, Qt::UserRole, anchor);
        if (level == kChapterLevel) {
            chapter = item;
        }
    }
    contents_->expandAll();
}

void HelpWindow::ShowFindField() {
    find_->setFocus();
    find_->selectAll();
}

bool HelpWindow::FindNext(bool backwards) {
    const QString text = find_->text();
    if (text.isEmpty()) {
        return false;
    }
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) {
        return true;
    }
    QTextCursor restart = browser_->textCursor();
    restart.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(restart);
    return browser_->find(text, flags);
}
