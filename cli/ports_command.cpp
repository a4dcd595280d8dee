#include "cli/ports_command.h"

#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "link/bridge_texts.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

using velor::link::FtdiBridge;

const QLatin1String kNone("-");
const QLatin1String kColumnGap("  ");

std::vector<FtdiBridge> Bridges(const CliEnvironment& environment) {
    return velor::link::ListFtdiBridges(environment.sysfsRoot.toStdString(),
                                        environment.devRoot.toStdString());
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString OrNone(const std::string& text) {
    return text.empty() ? QString(kNone) : Text(text);
}

// Columns padded to their widest cell, the last one not.
QStringList Aligned(const std::vector<QStringList>& rows) {
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max<std::size_t>(widths.size(), static_cast<std::size_t>(row.size())));
        for (qsizetype i = 0; i < row.size(); ++i) {
            auto& width = widths[static_cast<std::size_t>(i)];
            width = std::max(width, row[i].size());
        }
    }
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            line += i + 1 < row.size()
                        ? row[i].leftJustified(widths[static_cast<std::size_t>(i)]) + kColumnGap
                        : row[i];
        }
        lines << line;
    }
    return lines;
}

QString Serials(const std::vector<FtdiBridge>& bridges) {
    QStringList serials;
    for (const FtdiBridge& bridge : bridges) {
        serials << QStringLiteral("%1 (%2)").arg(OrNone(bridge.serial), Text(bridge.devicePath));
    }
    return serials.join(QStringLiteral(", "));
}

} // namespace

int RunPortsCommand(const CliEnvironment& environment, QTextStream& out, QTextStream& err) {
    const std::vector<FtdiBridge> bridges = Bridges(environment);
    if (bridges.empty()) {
        PrintLine(err, velor::link::NoBridgeText());
        return kExitSuccess;
    }
    std::vector<QStringList> rows;
    for (const FtdiBridge& bridge : bridges) {
        rows.push_back({Text(bridge.devicePath), OrNone(bridge.serial), OrNone(bridge.usbLocation),
                        velor::link::BridgeAccessText(bridge.access)});
    }
    for (const QString& line : Aligned(rows)) {
        out << line << '\n';
    }
    return kExitSuccess;
}

std::optional<QString> ResolvePort(const QString& port, const CliEnvironment& environment,
                                   QTextStream& err) {
    if (port.isEmpty() || port.contains(QLatin1Char('/'))) {
        return port;
    }
    const std::vector<FtdiBridge> bridges = Bridges(environment);
    std::vector<FtdiBridge> matching;
    std::copy_if(bridges.begin(), bridges.end(), std::back_inserter(matching),
                 [&port](const FtdiBridge& bridge) { return Text(bridge.serial) == port; });
    if (matching.size() == 1) {
        return Text(matching.front().devicePath);
    }
    if (matching.empty()) {
        PrintLine(err, Cli::tr("Нет моста FTDI с серийным номером \"%1\".").arg(port));
        PrintLine(err, bridges.empty() ? velor::link::NoBridgeText()
                                       : Cli::tr("Подключены: %1.").arg(Serials(bridges)));
    } else {
        // Some bridges leave the factory with one serial number for all; only the path tells them
        // apart then.
        PrintLine(err, Cli::tr("Серийный номер \"%1\" у нескольких мостов: %2. Укажите путь "
                               "к устройству.")
                           .arg(port, Serials(matching)));
    }
    return std::nullopt;
}
