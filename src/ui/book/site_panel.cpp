#include "ui/book/site_panel.h"

#include "ui/control_index.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* NewButton(QWidget* parent, const char* name) {
    auto* button = Named(new QPushButton(parent), QLatin1String(name));
    button->hide();
    return button;
}

QString SinceText(const SitePanel::SinceLastVisit& since) {
    using Kind = SitePanel::SinceLastVisit::Kind;
    switch (since.kind) {
    case Kind::Nothing:
        return {};
    case Kind::NoVisits:
        return SitePanel::tr("Прежних визитов к прибору нет");
    case Kind::Unchanged:
        return SitePanel::tr("С последнего визита (%1, %2) изменений нет")
            .arg(since.when, since.technician);
    case Kind::Changed:
        return SitePanel::tr("С последнего визита изменено полей: %1").arg(since.changed);
    }
    return {};
}

} // namespace

SitePanel::SitePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SitePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    siteLabel_ = NewLabel(this, "SiteNameLabel");
    addressLabel_ = NewLabel(this, "SiteAddressLabel");
    sinceLabel_ = NewLabel(this, "SinceLastVisitLabel");
    layout->addWidget(siteLabel_);
    layout->addWidget(addressLabel_);
    layout->addWidget(sinceLabel_);
    auto* buttons = new QHBoxLayout;
    changes_ = NewButton(this, "SinceLastVisitButton");
    attach_ = NewButton(this, "AttachSiteButton");
    choose_ = NewButton(this, "ChooseSiteButton");
    for (QPushButton* button : {changes_, attach_, choose_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(changes_, &QPushButton::clicked, this, &SitePanel::changesRequested);
    connect(attach_, &QPushButton::clicked, this, &SitePanel::attachRequested);
    connect(choose_, &QPushButton::clicked, this, &SitePanel::chooseRequested);
    Render();
}

void SitePanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Render();
    }
    QWidget::changeEvent(event);
}

void SitePanel::Clear() {
    shown_ = Shown::Nothing;
    since_ = {};
    Render();
}

void SitePanel::ShowSite(const QString& name, const QString& address) {
    shown_ = Shown::Site;
    name_ = name;
    address_ = address;
    Render();
}

void SitePanel::ShowUnattached(const QString& serial) {
    shown_ = Shown::Unattached;
    serial_ = serial;
    Render();
}

void SitePanel::ShowWithoutSerial(const QString& chosenSite) {
    shown_ = Shown::WithoutSerial;
    name_ = chosenSite;
    Render();
}

void SitePanel::ShowSinceLastVisit(const SinceLastVisit& since) {
    since_ = since;
    Render();
}

void SitePanel::Render() {
    changes_->setText(tr("Изменения…"));
    attach_->setText(tr("Привязать к объекту…"));
    choose_->setText(tr("Выбрать объект…"));
    QString site;
    switch (shown_) {
    case Shown::Nothing:
        break;
    case Shown::Site:
        site = tr("Объект: %1").arg(name_);
        break;
    case Shown::Unattached:
        site = tr("Прибор %1 не привязан к объекту").arg(serial_);
        break;
    case Shown::WithoutSerial:
        site = name_.isEmpty() ? tr("Порт без серийного номера: объект не выбран")
                               : tr("Объект: %1").arg(name_);
        break;
    }
    siteLabel_->setText(site);
    addressLabel_->setText(shown_ == Shown::Site ? address_ : QString());
    sinceLabel_->setText(SinceText(since_));
    changes_->setVisible(since_.kind == SinceLastVisit::Kind::Changed);
    attach_->setVisible(shown_ == Shown::Unattached);
    choose_->setVisible(shown_ == Shown::WithoutSerial);
}
