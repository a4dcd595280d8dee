#include "cli/settings_report.h"

#include "cli/cli_texts.h"
#include "cli/quoted_name.h"
#include "settings/settings_fields.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

using namespace velor::settings;

namespace {

const char* SourceKind(ReportSource::Kind kind) {
    switch (kind) {
    case ReportSource::Kind::File:
        return "file";
    case ReportSource::Kind::Factory:
        return "factory";
    case ReportSource::Kind::Device:
        return "device";
    }
    return "file";
}

QJsonValue Raw(const std::optional<qint64>& raw) {
    return raw ? QJsonValue(static_cast<double>(*raw)) : QJsonValue(QJsonValue::Null);
}

QJsonObject SourceObject(const ReportSource& source) {
    return {{QStringLiteral("kind"), QLatin1String(SourceKind(source.kind))},
            {QStringLiteral("path"), source.path}};
}

// The source and the image's fingerprints, the head of every JSON document.
QJsonObject ImageObject(const SettingsImage& image, const ReportSource& source) {
    return {{QStringLiteral("source"), SourceObject(source)},
            {QStringLiteral("fingerprint"), Fingerprint(image)},
            {QStringLiteral("fingerprint_short"), ShortFingerprint(image)}};
}

QByteArray Document(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString FingerprintLine(const SettingsImage& image) {
    return Cli::tr("Отпечаток: %1").arg(ShortFingerprint(image));
}

} // namespace

QString SourceText(const ReportSource& source) {
    switch (source.kind) {
    case ReportSource::Kind::File:
        return QuotedName(source.path);
    case ReportSource::Kind::Factory:
        return Cli::tr("заводские настройки (%1)").arg(QuotedName(source.path));
    case ReportSource::Kind::Device:
        return Cli::tr("прибор (%1)")
            .arg(source.path.isEmpty() ? Cli::tr("первый мост FTDI") : QuotedName(source.path));
    }
    return QuotedName(source.path);
}

QString ShowText(const SettingsImage& image, const ReportSource& source) {
    QString text = Cli::tr("Настройки: %1").arg(SourceText(source)) + QLatin1Char('\n') +
                   FingerprintLine(image) + QLatin1Char('\n');
    return text + QLatin1Char('\n') + SettingsPagesText(image);
}

QByteArray ShowJson(const SettingsImage& image, const ReportSource& source) {
    QJsonObject document = ImageObject(image, source);
    QJsonArray pages;
    for (const SettingsPage page : kSettingsPages) {
        pages.append(QJsonObject{{QStringLiteral("key"), PageKey(page)},
                                 {QStringLiteral("title"), PageTitle(page)}});
    }
    document[QStringLiteral("pages")] = pages;
    QJsonArray fields;
    for (const SettingsField& field : DescribeSettings(image)) {
        QJsonObject object{
            {QStringLiteral("key"), field.key},      {QStringLiteral("page"), PageKey(field.page)},
            {QStringLiteral("name"), field.name},    {QStringLiteral("value"), field.value},
            {QStringLiteral("raw"), Raw(field.raw)}, {QStringLiteral("unit"), field.unit}};
        if (field.number) {
            object[QStringLiteral("number")] = *field.number;
        }
        fields.append(object);
    }
    document[QStringLiteral("fields")] = fields;
    return Document(document);
}

QString DiffText(const SettingsImage& a, const ReportSource& sourceA, const SettingsImage& b,
                 const ReportSource& sourceB) {
    QString text = Cli::tr("A: %1, отпечаток %2\n").arg(SourceText(sourceA), ShortFingerprint(a)) +
                   Cli::tr("B: %1, отпечаток %2\n").arg(SourceText(sourceB), ShortFingerprint(b));
    const std::vector<FieldChange> changes = DiffSettings(a, b);
    for (const FieldChange& change : changes) {
        text += ChangeLine(change) + QLatin1Char('\n');
    }
    if (changes.empty()) {
        return text + Cli::tr("Настройки совпадают.\n");
    }
    return text + Cli::tr("Различающихся полей: %1\n").arg(changes.size());
}

QByteArray DiffJson(const SettingsImage& a, const ReportSource& sourceA, const SettingsImage& b,
                    const ReportSource& sourceB) {
    const std::vector<FieldChange> changes = DiffSettings(a, b);
    QJsonArray list;
    for (const FieldChange& change : changes) {
        list.append(QJsonObject{{QStringLiteral("key"), change.key},
                                {QStringLiteral("page"), PageKey(change.page)},
                                {QStringLiteral("name"), change.name},
                                {QStringLiteral("before"), change.before},
                                {QStringLiteral("after"), change.after},
                                {QStringLiteral("before_raw"), Raw(change.beforeRaw)},
                                {QStringLiteral("after_raw"), Raw(change.afterRaw)},
                                {QStringLiteral("unit"), change.unit}});
    }
    return Document({{QStringLiteral("a"), ImageObject(a, sourceA)},
                     {QStringLiteral("b"), ImageObject(b, sourceB)},
                     {QStringLiteral("equal"), changes.empty()},
                     {QStringLiteral("changes"), list}});
}

QString CheckText(const SettingsImage& image, const ReportSource& source,
                  const SettingsCheck& check) {
    QString text = Cli::tr("Проверка: %1").arg(SourceText(source)) + QLatin1Char('\n') +
                   FingerprintLine(image) + QLatin1Char('\n');
    for (const CheckFinding& finding : check.findings) {
        text += FindingLine(finding) + QLatin1Char('\n');
    }
    if (check.findings.empty()) {
        return text + Cli::tr("Окно сохранит эти настройки без изменений.\n");
    }
    return text + Cli::tr("Замечаний: %1. Настройки, загруженные в окно, сохранятся с отпечатком "
                          "%2.\n")
                      .arg(check.findings.size())
                      .arg(ShortFingerprint(check.kept));
}

QByteArray CheckJson(const SettingsImage& image, const ReportSource& source,
                     const SettingsCheck& check) {
    QJsonObject document = ImageObject(image, source);
    document[QStringLiteral("kept_fingerprint")] = Fingerprint(check.kept);
    document[QStringLiteral("kept_fingerprint_short")] = ShortFingerprint(check.kept);
    QJsonArray findings;
    for (const CheckFinding& finding : check.findings) {
        const bool kept = finding.kind == FindingKind::Kept;
        findings.append(QJsonObject{
            {QStringLiteral("kind"), kept ? QStringLiteral("kept") : QStringLiteral("normalised")},
            {QStringLiteral("key"), finding.key},
            {QStringLiteral("name"), finding.name},
            {QStringLiteral("value"), finding.value},
            {QStringLiteral("kept"), finding.kept},
            {QStringLiteral("reason"), finding.reason}});
    }
    document[QStringLiteral("findings")] = findings;
    return Document(document);
}
