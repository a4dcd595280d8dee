#include "ui/pages/maker_panel.h"

#include "ui/control_families.h"
#include "ui/control_index.h"
#include "ui/widgets/click_label.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace velor {

namespace {
constexpr int kLogoScale = 2;
constexpr int kFirstPanel = 1;

QString PanelSuffix(int number) {
    return number == kFirstPanel ? QString() : QString::number(number);
}
} // namespace

QWidget* BuildMakerPanel(QWidget* parent, int number) {
    auto* panel = Named(new QWidget(parent), window::Name("MakerPanel", number));
    panel->setProperty("panelNumber", number);
    auto* column = new QVBoxLayout(panel);
    auto* logo = Named(new QLabel(panel), window::Name("LogoImage", number));
    QFont big = logo->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() * kLogoScale);
    logo->setFont(big);
    column->addWidget(logo);
    for (const char* prefix : {"WWWLabel", "EMailLabel"}) {
        auto* link = Named(new ClickLabel(panel), QLatin1String(prefix) + PanelSuffix(number));
        link->SetLinkStyle();
        column->addWidget(link);
    }
    column->addStretch(1);
    return panel;
}

void RetranslateMakerPanel(QWidget& panel) {
    const int number = panel.property("panelNumber").toInt();
    const QString suffix = PanelSuffix(number);
    panel.findChild<QLabel*>(window::Name("LogoImage", number))
        ->setText(QCoreApplication::translate("TMainForm", "ВЕЛОР"));
    panel.findChild<QLabel*>(QStringLiteral("WWWLabel") + suffix)
        ->setText(QLatin1String(kMakerWebAddress));
    panel.findChild<QLabel*>(QStringLiteral("EMailLabel") + suffix)
        ->setText(QLatin1String(kMakerSupportAddress));
}

} // namespace velor
