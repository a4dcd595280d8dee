#include "ui/book/site_book_window.h"

#include "book/site_book.h"
#include "ui/book/site_card.h"
#include "ui/control_index.h"
#include "ui/dialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr QSize kWindowSize(1000, 760);
// Enough for a screen's list; the search narrows it further.
constexpr int kListedSites = 500;
constexpr int kListStretch = 2;
constexpr int kCardStretch = 5;

QString SiteLine(const SiteRecord& site) {
    return site.address.isEmpty() ? site.name : site.name + QStringLiteral(" — ") + site.address;
}

} // namespace

SiteBookWindow::SiteBookWindow(SiteBookRequest request, QWidget* parent)
    : QDialog(parent), request_(std::move(request)) {
    setObjectName(QStringLiteral("SiteBookWindow"));
    setWindowTitle(tr("Объекты"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    card_ = new SiteCard(request_, this);
    columns->addWidget(BuildList(), kListStretch);
    columns->addWidget(card_, kCardStretch);
    layout->addLayout(columns, 1);
    message_ = Named(new QLabel(this), QStringLiteral("BookMessage"));
    message_->setWordWrap(true);
    layout->addWidget(message_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    if (QPushButton* purpose = BuildPurposeButton()) {
        buttons->addButton(purpose, QDialogButtonBox::ActionRole);
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(card_, &SiteCard::siteSaved, this, &SiteBookWindow::SiteSaved);
    connect(card_, &SiteCard::visitChosen, this, &SiteBookWindow::Choose);
    resize(kWindowSize);
    if (request_.book->State() == SiteBook::Availability::ReadOnly) {
        Say(request_.book->Problem());
    }
    Search();
}

QWidget* SiteBookWindow::BuildList() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    search_ = Named(new QLineEdit(box), QStringLiteral("SiteSearch"));
    search_->setPlaceholderText(tr("Поиск: название, адрес, телефон, серийный номер"));
    search_->setClearButtonEnabled(true);
    list_ = Named(new QListWidget(box), QStringLiteral("SiteList"));
    auto* add = Named(new QPushButton(tr("Новый объект…"), box), QStringLiteral("NewSiteButton"));
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    layout->addWidget(add);
    connect(search_, &QLineEdit::textChanged, this, &SiteBookWindow::Search);
    connect(list_, &QListWidget::currentRowChanged, this, &SiteBookWindow::ShowChosenSite);
    connect(add, &QPushButton::clicked, this, &SiteBookWindow::AddSite);
    return box;
}

// The button of the purpose the window was opened for; none for browsing.
QPushButton* SiteBookWindow::BuildPurposeButton() {
    if (request_.purpose == SiteBookPurpose::Browse) {
        return nullptr;
    }
    const bool attach = request_.purpose == SiteBookPurpose::Attach;
    purposeButton_ = Named(new QPushButton(attach ? tr("Привязать прибор %1").arg(request_.serial)
                                                  : tr("Выбрать объект"),
                                           this),
                           QStringLiteral("PurposeButton"));
    purposeButton_->setEnabled(false);
    connect(purposeButton_, &QPushButton::clicked, this, &SiteBookWindow::ChooseSite);
    return purposeButton_;
}

QString SiteBookWindow::ChosenSite() const {
    const QListWidgetItem* item = list_->currentItem();
    return item != nullptr ? item->data(Qt::UserRole).toString() : QString();
}

void SiteBookWindow::Search() {
    const QString chosen = ChosenSite();
    const BookResult<std::vector<SiteRecord>> sites =
        request_.book->Sites(search_->text().trimmed(), kListedSites);
    if (!sites.Ok()) {
        Say(sites.error);
    }
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const SiteRecord& site : sites.value) {
        auto* item = new QListWidgetItem(SiteLine(site), list_);
        item->setData(Qt::UserRole, site.uuid);
    }
    if (!SelectSite(chosen) && list_->count() > 0) {
        list_->setCurrentRow(0); // the best match
    }
    ShowChosenSite();
}

bool SiteBookWindow::SelectSite(const QString& siteUuid) {
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->data(Qt::UserRole).toString() == siteUuid) {
            list_->setCurrentRow(row);
            return true;
        }
    }
    list_->setCurrentRow(-1);
    return false;
}

void SiteBookWindow::ShowChosenSite() {
    const QString uuid = ChosenSite();
    std::optional<SiteRecord> site;
    if (!uuid.isEmpty()) {
        const BookResult<std::optional<SiteRecord>> found = request_.book->SiteByUuid(uuid);
        if (!found.Ok()) {
            Say(found.error);
        }
        site = found.value;
    }
    card_->ShowSite(site);
    if (purposeButton_ != nullptr) {
        purposeButton_->setEnabled(site.has_value());
    }
}

// A new site under the name the technician gives (the search's text offered): listed and chosen.
void SiteBookWindow::AddSite() {
    TextRequest ask;
    ask.caption = tr("Новый объект");
    ask.label = tr("Название объекта:");
    ask.value = search_->text().trimmed();
    const std::optional<QString> name = request_.dialogs->AskText(ask);
    if (!name || name->trimmed().isEmpty()) {
        return;
    }
    SiteRecord site;
    site.name = name->trimmed();
    const BookResult<SiteRecord> added = request_.book->AddSite(site, request_.technician);
    if (!added.Ok()) {
        request_.dialogs->MessageBox(
            BoxRequest(added.error, tr("Книга объектов"), BoxIcon::Error, BoxOwner::Active));
        return;
    }
    {
        const QSignalBlocker quiet(search_);
        search_->setText(added.value.name);
    }
    Search();
    if (ChosenSite() != added.value.uuid) {
        const QSignalBlocker quiet(list_);
        SelectSite(added.value.uuid);
        ShowChosenSite();
    }
    Say(tr("Объект «%1» добавлен").arg(added.value.name));
}

void SiteBookWindow::SiteSaved(const QString& siteUuid) {
    Search();
    if (ChosenSite() != siteUuid) {
        const QSignalBlocker quiet(list_);
        SelectSite(siteUuid);
        ShowChosenSite();
    }
    Say(tr("Изменения сохранены"));
}

void SiteBookWindow::ChooseSite() {
    SiteBookChoice choice;
    choice.action = request_.purpose == SiteBookPurpose::Attach ? SiteBookAction::Attach
                                                                : SiteBookAction::Choose;
    choice.siteUuid = ChosenSite();
    if (!choice.siteUuid.isEmpty()) {
        Choose(choice);
    }
}

void SiteBookWindow::Choose(const SiteBookChoice& choice) {
    choice_ = choice;
    accept();
}

void SiteBookWindow::Say(const QString& text) {
    message_->setText(text);
}
