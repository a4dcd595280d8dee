#include "ui/book/site_card.h"

#include "book/site_book.h"
#include "recording/visit_recorder.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_text.h"
#include "ui/book/last_visit.h"
#include "ui/control_index.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/window_locale.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

using velor::book_window::VisitTimeText;
using velor::settings::kShortFingerprintDigits;

namespace {

constexpr int kDeviceRowsShown = 2;
constexpr int kVisitTableStretch = 3;
constexpr int kVisitViewStretch = 2;

QTableWidget* NewTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table =
        Named(new QTableWidget(0, static_cast<int>(headers.size()), parent), QLatin1String(name));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int column = 0; column < cells.size(); ++column) {
        table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

QString ActionText(VisitAction action) {
    switch (action) {
    case VisitAction::Read:
        return SiteCard::tr("чтение");
    case VisitAction::Write:
        return SiteCard::tr("запись");
    case VisitAction::Firmware:
        return SiteCard::tr("прошивка");
    case VisitAction::Attach:
        return SiteCard::tr("привязка");
    }
    return {};
}

QString Short(const QString& fingerprint) {
    return fingerprint.left(kShortFingerprintDigits);
}

// "before → written" of the settings; one of them alone when the visit has one.
QString FingerprintsText(const VisitRecord& visit) {
    if (visit.writtenFingerprint.isEmpty()) {
        return Short(visit.beforeFingerprint);
    }
    return QStringLiteral("%1 → %2").arg(Short(visit.beforeFingerprint),
                                         Short(visit.writtenFingerprint));
}

QString VerifiedMark(const VisitRecord& visit) {
    if (!visit.verified) {
        return {};
    }
    return *visit.verified ? SiteCard::tr("✓ проверено")
                           : SiteCard::tr("✗ не проверено %1").arg(visit.verifyNote).trimmed();
}

QString DeviceModelText(const DeviceRecord& device) {
    return device.type == 0 ? QString() : TMainForm::DeviceText(device.type, device.version);
}

// A field's new value, or none when the edit keeps it.
std::optional<QString> Changed(const QString& now, const QString& before) {
    return now == before ? std::nullopt : std::optional<QString>(now);
}

} // namespace

SiteCard::SiteCard(const SiteBookRequest& request, QWidget* parent)
    : QWidget(parent), request_(request) {
    setObjectName(QStringLiteral("SiteCard"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildDetails());
    devices_ =
        NewTable(this, "DeviceTable", {tr("Серийный номер"), tr("Прибор"), tr("Последний раз")});
    // A site has a device or two: the visits get the room.
    devices_->setMaximumHeight(devices_->horizontalHeader()->sizeHint().height() +
                               kDeviceRowsShown * devices_->verticalHeader()->defaultSectionSize() +
                               2 * devices_->frameWidth());
    layout->addWidget(devices_);
    layout->addWidget(BuildVisits(), 1);
    ShowSite(std::nullopt);
}

QWidget* SiteCard::BuildDetails() {
    auto* box = Named(new QGroupBox(tr("Объект"), this), QStringLiteral("SiteDetails"));
    auto* form = new QFormLayout(box);
    name_ = Named(new QLineEdit(box), QStringLiteral("SiteNameEdit"));
    address_ = Named(new QLineEdit(box), QStringLiteral("SiteAddressEdit"));
    contact_ = Named(new QLineEdit(box), QStringLiteral("SiteContactEdit"));
    phone_ = Named(new QLineEdit(box), QStringLiteral("SitePhoneEdit"));
    notes_ = Named(new QPlainTextEdit(box), QStringLiteral("SiteNotesEdit"));
    notes_->setMaximumHeight(notes_->fontMetrics().lineSpacing() * 4);
    form->addRow(tr("Название:"), name_);
    form->addRow(tr("Адрес:"), address_);
    form->addRow(tr("Контактное лицо:"), contact_);
    form->addRow(tr("Телефон:"), phone_);
    form->addRow(tr("Примечания:"), notes_);
    save_ = Named(new QPushButton(tr("Сохранить"), box), QStringLiteral("SaveSiteButton"));
    form->addRow(QString(), save_);
    connect(save_, &QPushButton::clicked, this, &SiteCard::SaveDetails);
    return box;
}

QWidget* SiteCard::BuildVisits() {
    auto* box = Named(new QGroupBox(tr("Визиты"), this), QStringLiteral("SiteVisits"));
    auto* layout = new QVBoxLayout(box);
    visitTable_ = NewTable(
        box, "VisitTable",
        {tr("Дата"), tr("Техник"), tr("Действие"), tr("Прибор"), tr("Отпечатки"), tr("Проверка")});
    layout->addWidget(visitTable_, kVisitTableStretch);
    auto* buttons = new QHBoxLayout;
    const struct {
        const char* name;
        QString caption;
        std::function<void()> run;
    } kButtons[] = {
        {"ShowVisitButton", tr("Показать"), [this] { ShowVisit(); }},
        {"CompareVisitButton", tr("Сравнить с окном"), [this] { CompareVisit(); }},
        {"LoadVisitButton", tr("Загрузить в окно"),
         [this] { ChooseVisit(SiteBookAction::LoadVisit); }},
        {"SaveVisitButton", tr("Сохранить в файл…"),
         [this] { ChooseVisit(SiteBookAction::SaveVisit); }},
    };
    for (const auto& design : kButtons) {
        auto* button = Named(new QPushButton(design.caption, box), QLatin1String(design.name));
        connect(button, &QPushButton::clicked, this, design.run);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    view_ = Named(new QPlainTextEdit(box), QStringLiteral("VisitView"));
    view_->setReadOnly(true);
    layout->addWidget(view_, kVisitViewStretch);
    return box;
}

void SiteCard::ShowSite(const std::optional<SiteRecord>& site) {
    site_ = site;
    const SiteRecord shown = site.value_or(SiteRecord{});
    name_->setText(shown.name);
    address_->setText(shown.address);
    contact_->setText(shown.contact);
    phone_->setText(shown.phone);
    notes_->setPlainText(shown.notes);
    setEnabled(site.has_value());
    view_->clear();
    FillDevices();
    FillVisits();
}

void SiteCard::FillDevices() {
    devices_->setRowCount(0);
    if (!site_) {
        return;
    }
    const BookResult<std::vector<DeviceRecord>> devices = request_.book->DevicesOfSite(site_->uuid);
    devices_->setRowCount(static_cast<int>(devices.value.size()));
    int row = 0;
    for (const DeviceRecord& device : devices.value) {
        SetRow(devices_, row++,
               {device.serial, DeviceModelText(device),
                WindowLocale().toString(device.lastSeen.toLocalTime(), QLocale::ShortFormat)});
    }
    if (!devices.Ok()) {
        SayInView(devices.error);
    }
}

void SiteCard::FillVisits() {
    visits_.clear();
    visitTable_->setRowCount(0);
    if (!site_) {
        return;
    }
    VisitFilter filter;
    filter.siteUuid = site_->uuid;
    BookResult<std::vector<VisitRecord>> visits = request_.book->Visits(filter);
    visits_ = std::move(visits.value);
    visitTable_->setRowCount(static_cast<int>(visits_.size()));
    int row = 0;
    for (const VisitRecord& visit : visits_) {
        SetRow(visitTable_, row++,
               {VisitTimeText(visit), visit.technician, ActionText(visit.action),
                visit.deviceSerial, FingerprintsText(visit), VerifiedMark(visit)});
    }
    if (!visits.Ok()) {
        SayInView(visits.error);
    }
}

void SiteCard::SaveDetails() {
    if (!site_) {
        return;
    }
    SiteChanges changes;
    changes.name = Changed(name_->text().trimmed(), site_->name);
    changes.address = Changed(address_->text(), site_->address);
    changes.contact = Changed(contact_->text(), site_->contact);
    changes.phone = Changed(phone_->text(), site_->phone);
    changes.notes = Changed(notes_->toPlainText(), site_->notes);
    if (changes.Empty()) {
        return;
    }
    const BookResult<SiteRecord> saved =
        request_.book->EditSite(site_->uuid, changes, request_.technician);
    if (!saved.Ok()) {
        request_.dialogs->MessageBox(
            BoxRequest(saved.error, tr("Книга объектов"), BoxIcon::Error, BoxOwner::Active));
        return;
    }
    site_ = saved.value;
    emit siteSaved(saved.value.uuid);
}

const VisitRecord* SiteCard::ChosenVisit() const {
    const int row = visitTable_->currentRow();
    return row >= 0 && row < static_cast<int>(visits_.size()) ? &visits_[std::size_t(row)]
                                                              : nullptr;
}

void SiteCard::SayInView(const QString& text) {
    view_->setPlainText(text);
}

void SiteCard::ShowVisit() {
    const VisitRecord* visit = ChosenVisit();
    if (visit == nullptr) {
        return;
    }
    const std::optional<SettingsImage> image = SettingsLeftBy(*visit);
    QString text = tr("Визит %1, %2: %3")
                       .arg(VisitTimeText(*visit), visit->technician, ActionText(visit->action));
    if (!visit->note.isEmpty()) {
        text += QLatin1Char('\n') + visit->note;
    }
    if (image) {
        text += QStringLiteral("\n") +
                tr("Отпечаток: %1").arg(velor::settings::ShortFingerprint(*image)) +
                QStringLiteral("\n\n") + velor::settings::SettingsPagesText(*image);
    } else {
        text += QStringLiteral("\n") + tr("Настроек в этом визите нет");
    }
    SayInView(text);
}

void SiteCard::CompareVisit() {
    const VisitRecord* visit = ChosenVisit();
    if (visit == nullptr) {
        return;
    }
    const std::optional<SettingsImage> image = SettingsLeftBy(*visit);
    if (!image) {
        SayInView(tr("Настроек в этом визите нет"));
    } else if (request_.compare) {
        SayInView(request_.compare(*image));
    }
}

void SiteCard::ChooseVisit(SiteBookAction action) {
    const VisitRecord* visit = ChosenVisit();
    if (visit == nullptr) {
        return;
    }
    SiteBookChoice choice;
    choice.image = SettingsLeftBy(*visit);
    if (!choice.image) {
        SayInView(tr("Настроек в этом визите нет"));
        return;
    }
    choice.action = action;
    choice.siteUuid = site_ ? site_->uuid : QString();
    choice.visit = tr("визит %1, %2").arg(VisitTimeText(*visit), visit->technician);
    emit visitChosen(choice);
}
