#include "ui/pages/port_list.h"

#include "link/bridge_discovery.h"
#include "link/bridge_texts.h"
#include "link/native_path.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <vector>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kShortRole = Qt::UserRole + 2;
// Room for the popup's scroll bar and frame beside its widest entry.
constexpr int kPopupAllowance = 24;

const char* const kAutomatic = QT_TRANSLATE_NOOP("PortList", "Автоматически");
const char* const kOtherPort = QT_TRANSLATE_NOOP("PortList", "Другой порт…");

QString Text(const std::string& text) {
    return velor::PathFromNative(QByteArray::fromStdString(text));
}

} // namespace

PortList::PortList(QString sysfsRoot, QString devRoot, QWidget* parent)
    : QComboBox(parent), sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {
    setObjectName(QStringLiteral("UsbPortList"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(1);
    view()->setTextElideMode(Qt::ElideMiddle);
    if (QDir(devRoot_).exists()) {
        watcher_.addPath(devRoot_);
    }
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Refresh(); });
    connect(this, &QComboBox::activated, this, &PortList::Picked);
    Refresh();
}

void PortList::SetChosenDevice(const QString& path) {
    chosen_ = path;
    Refresh();
}

void PortList::Refresh() {
    const QSignalBlocker quiet(this);
    clear();
    AddEntry(Kind::Automatic, tr(kAutomatic), {}, tr("Первый мост FTDI, который находит система"));
    bool chosenListed = chosen_.isEmpty();
    const std::vector<velor::link::FtdiBridge> bridges = velor::link::ListFtdiBridges(
        velor::NativePath(sysfsRoot_).toStdString(), velor::NativePath(devRoot_).toStdString());
    for (const velor::link::FtdiBridge& bridge : bridges) {
        const QString path = Text(bridge.devicePath);
        const QString serial =
            bridge.serial.empty() ? tr("без серийного номера") : Text(bridge.serial);
        const QString access = velor::link::BridgeAccessText(bridge.access);
        const QString location = Text(bridge.usbLocation);
        AddEntry(Kind::Bridge, tr("%1 · %2 · %3").arg(path, serial, access), path,
                 location.isEmpty() ? QString() : tr("USB %1").arg(location),
                 QFileInfo(path).fileName());
        chosenListed = chosenListed || path == chosen_;
    }
    if (!chosenListed) {
        AddEntry(Kind::Chosen, chosen_, chosen_, tr("Порт, выбранный по пути"));
    }
    AddEntry(Kind::Other, tr(kOtherPort), {},
             tr("Указать путь к порту, например терминал "
                "имитатора прибора"));
    SelectChosen();
    WidenPopup();
}

void PortList::Retranslate() {
    Refresh();
}

void PortList::AddEntry(Kind kind, const QString& text, const QString& path, const QString& tip,
                        const QString& shortText) {
    addItem(text);
    const int index = count() - 1;
    setItemData(index, shortText.isEmpty() ? text : shortText, kShortRole);
    setItemData(index, path, kPathRole);
    setItemData(index, static_cast<int>(kind), kKindRole);
    setItemData(index, tip.isEmpty() ? text : text + QLatin1Char('\n') + tip, Qt::ToolTipRole);
}

void PortList::SelectChosen() {
    for (int index = 0; index < count(); ++index) {
        const auto kind = static_cast<Kind>(itemData(index, kKindRole).toInt());
        if (kind != Kind::Other && itemData(index, kPathRole).toString() == chosen_) {
            setCurrentIndex(index);
            setToolTip(itemData(index, Qt::ToolTipRole).toString());
            return;
        }
    }
}

// The closed list is as narrow as the column; its popup is as wide as its widest entry.
void PortList::WidenPopup() {
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + kPopupAllowance);
}

void PortList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const auto kind = static_cast<Kind>(currentData(kKindRole).toInt());
    option.currentText = fontMetrics().elidedText(
        currentData(kShortRole).toString(), kind == Kind::Chosen ? Qt::ElideMiddle : Qt::ElideRight,
        field.width());
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void PortList::showPopup() {
    Refresh();
    QComboBox::showPopup();
}

void PortList::Picked(int index) {
    if (static_cast<Kind>(itemData(index, kKindRole).toInt()) == Kind::Other) {
        SelectChosen(); // the choice stays until the technician names another port
        emit otherPortRequested();
        return;
    }
    const QString path = itemData(index, kPathRole).toString();
    chosen_ = path;
    setToolTip(itemData(index, Qt::ToolTipRole).toString());
    emit deviceChosen(path);
}

QStringList PortList::OtherPortCandidates() const {
    QStringList candidates;
    const QDir dev(devRoot_);
    for (const QString& name : dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                             QDir::Files | QDir::System, QDir::Name)) {
        candidates << dev.filePath(name);
    }
    const QDir pts(dev.filePath(QStringLiteral("pts")));
    for (const QString& name : pts.entryList(QDir::Files | QDir::System, QDir::Name)) {
        if (name != QLatin1String("ptmx")) {
            candidates << pts.filePath(name);
        }
    }
    return candidates;
}
