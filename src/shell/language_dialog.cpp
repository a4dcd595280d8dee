#include "shell/language_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLocaleRole = Qt::UserRole;
} // namespace

TLaLanguageDialog::TLaLanguageDialog(const std::vector<LanguageChoice>& choices,
                                     const QString& currentLocale, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("LaLanguageDialog"));
    setWindowTitle(tr("Select language"));

    LanguageList = new QListWidget(this);
    LanguageList->setObjectName(QStringLiteral("LanguageList"));
    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(tr("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LanguageList);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(LanguageList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    FillList(choices, currentLocale);
}

void TLaLanguageDialog::FillList(const std::vector<LanguageChoice>& choices,
                                 const QString& currentLocale) {
    for (const LanguageChoice& choice : choices) {
        auto* item = new QListWidgetItem(choice.title, LanguageList);
        item->setData(kLocaleRole, choice.locale);
    }
    LanguageList->sortItems();
    for (int row = 0; row < LanguageList->count(); ++row) {
        if (LanguageList->item(row)->data(kLocaleRole).toString() == currentLocale) {
            LanguageList->setCurrentRow(row);
        }
    }
}

QString TLaLanguageDialog::SelectedLocale() const {
    const QListWidgetItem* item = LanguageList->currentItem();
    return item != nullptr && item->isSelected() ? item->data(kLocaleRole).toString() : QString();
}
