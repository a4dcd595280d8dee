#include "cli/book_options.h"

#include "cli/cli_options.h"
#include "cli/cli_texts.h"

#include <array>
#include <stdexcept>

namespace {

[[noreturn]] void Refuse(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

struct ValueOption {
    const char* name;
    QString BookOptions::*text = nullptr;
    std::optional<QString> BookOptions::*field = nullptr;
};

const std::array<ValueOption, 11> kValueOptions{{
    {"--book", &BookOptions::bookPath},
    {"--technician", &BookOptions::technician},
    {"--search", &BookOptions::search},
    {"--serial", &BookOptions::serial},
    {"--site", &BookOptions::site},
    {"--device", &BookOptions::device},
    {"--name", nullptr, &BookOptions::name},
    {"--address", nullptr, &BookOptions::address},
    {"--contact", nullptr, &BookOptions::contact},
    {"--phone", nullptr, &BookOptions::phone},
    {"--notes", nullptr, &BookOptions::notes},
}};

void Store(const ValueOption& option, const QString& value, BookOptions& book) {
    if (option.text != nullptr) {
        book.*(option.text) = value;
    } else {
        book.*(option.field) = value;
    }
}

const QStringList kSiteSubcommands{"list", "add", "edit", "show", "attach"};
const QStringList kBookSubcommands{"export", "import", "check", "new"};

bool Given(const BookOptions& book) {
    return book.name || book.address || book.contact || book.phone || book.notes;
}

} // namespace

bool TakeBookOption(const QStringList& arguments, int& index, BookOptions& book) {
    const QString& argument = arguments[index];
    for (const ValueOption& option : kValueOptions) {
        const QString name = QLatin1String(option.name);
        if (argument == name) {
            if (++index == arguments.size()) {
                Refuse(Cli::tr("после %1 нужно значение").arg(name));
            }
            Store(option, arguments[index], book);
            return true;
        }
        if (argument.startsWith(name + QLatin1Char('='))) {
            Store(option, argument.mid(name.size() + 1), book);
            return true;
        }
    }
    return false;
}

void TakeBookWords(CliOptions& options, QStringList& words) {
    BookOptions& book = options.book;
    const bool site = options.command == CliCommand::Site;
    if (!site && options.command != CliCommand::Book) {
        return;
    }
    const QStringList& known = site ? kSiteSubcommands : kBookSubcommands;
    if (words.isEmpty() || !known.contains(words.first())) {
        Refuse(Cli::tr("после %1 нужно одно из: %2")
                   .arg(site ? QStringLiteral("site") : QStringLiteral("book"),
                        known.join(QStringLiteral(", "))));
    }
    book.subcommand = words.takeFirst();
    if (book.subcommand == QLatin1String("list") || book.subcommand == QLatin1String("check") ||
        book.subcommand == QLatin1String("new")) {
        return;
    }
    if (words.isEmpty()) {
        Refuse(site ? Cli::tr("команде site %1 нужно название объекта").arg(book.subcommand)
                    : Cli::tr("команде book %1 нужен файл").arg(book.subcommand));
    }
    book.target = words.takeFirst();
}

bool IsBookCommand(const CliOptions& options) {
    return options.command == CliCommand::Site || options.command == CliCommand::Visits ||
           options.command == CliCommand::Book;
}

bool BookCommandUsesDevice(const CliOptions& options) {
    return options.command == CliCommand::Site &&
           options.book.subcommand == QLatin1String("attach") && options.book.serial.isEmpty();
}

void CheckBookOptionsFit(const CliOptions& options) {
    const BookOptions& book = options.book;
    const bool site = options.command == CliCommand::Site;
    const QString& sub = book.subcommand;
    if (options.json &&
        !(options.command == CliCommand::Visits ||
          (site && (sub == QLatin1String("list") || sub == QLatin1String("show"))) ||
          !IsBookCommand(options))) {
        Refuse(Cli::tr("параметр --json есть у site list, site show и visits, но не у %1 %2")
                   .arg(site ? QStringLiteral("site") : QStringLiteral("book"), sub));
    }
    if (!book.search.isEmpty() && !(site && sub == QLatin1String("list"))) {
        Refuse(Cli::tr("параметр --search есть только у команды site list"));
    }
    const bool edits = site && (sub == QLatin1String("add") || sub == QLatin1String("edit"));
    if (Given(book) && !edits) {
        Refuse(Cli::tr("параметры --address, --contact, --phone и --notes есть только у команд "
                       "site add и site edit"));
    }
    if (book.name && sub != QLatin1String("edit")) {
        Refuse(Cli::tr("параметр --name есть только у команды site edit"));
    }
    const bool attaches = site && sub == QLatin1String("attach");
    if (!book.serial.isEmpty() && !attaches) {
        Refuse(Cli::tr("параметр --serial есть только у команды site attach"));
    }
    if (attaches && book.serial.isEmpty() && options.port.isEmpty()) {
        Refuse(Cli::tr("команде site attach нужен --port ПОРТ|СЕРИЙНЫЙ_НОМЕР или --serial "
                       "СЕРИЙНЫЙ_НОМЕР"));
    }
    if (!book.device.isEmpty() && options.command != CliCommand::Visits) {
        Refuse(Cli::tr("параметр --device есть только у команды visits"));
    }
    const bool recordsVisits = options.command == CliCommand::ReadSettings ||
                               options.command == CliCommand::WriteSettings ||
                               options.command == CliCommand::WriteFirmware;
    if (!book.site.isEmpty() && options.command != CliCommand::Visits && !recordsVisits) {
        Refuse(Cli::tr("параметр --site есть только у команд visits, read-settings, "
                       "write-settings и write-firmware"));
    }
}

QString BookHelpText() {
    return Cli::tr(
        "\n"
        "Книга объектов (объекты, приборы по серийному номеру USB моста, визиты):\n"
        "  site list [--search ТЕКСТ] [--json]\n"
        "                       объекты по названию; с --search -- те, чье название\n"
        "                       начинается с ТЕКСТА, затем те, у которых он есть в\n"
        "                       названии, адресе, контакте, телефоне или серийном номере\n"
        "  site add НАЗВАНИЕ [--address А] [--contact К] [--phone Т] [--notes З]\n"
        "  site edit НАЗВАНИЕ [--name НОВОЕ] [--address А] [--contact К] [--phone Т]\n"
        "                       [--notes З]   изменить названные поля объекта\n"
        "  site show НАЗВАНИЕ [--json]\n"
        "                       объект, его приборы и визиты (от нового к старому)\n"
        "  site attach НАЗВАНИЕ (--port ПОРТ|СЕРИЙНЫЙ_НОМЕР | --serial СЕРИЙНЫЙ_НОМЕР)\n"
        "                       привязать прибор к объекту (визит \"attach\")\n"
        "  visits [--site НАЗВАНИЕ] [--device СЕРИЙНЫЙ_НОМЕР] [--json]\n"
        "                       визиты от нового к старому\n"
        "  book export ФАЙЛ     вся книга одним документом JSON (с настройками)\n"
        "  book import ФАЙЛ     добавить выгрузку в книгу: объекты, приборы и визиты\n"
        "                       сливаются по UUID, повторный импорт ничего не меняет\n"
        "  book check           версия схемы, проверка целостности, число записей\n"
        "  book new             отложить файл книги (и поврежденный) как ФАЙЛ.old-ВРЕМЯ\n"
        "                       и начать новую книгу\n"
        "  --book ПУТЬ          другой файл книги вместо sites.sqlite рядом с history\n"
        "  --technician ИМЯ     имя техника для визитов; иначе VELOR580_TECHNICIAN,\n"
        "                       [SiteBook] Technician в velor580.INI, имя входа в систему\n"
        "  --site НАЗВАНИЕ      read-settings, write-settings, write-firmware: объект\n"
        "                       визита, если прибор ни к одному не привязан; порт без\n"
        "                       серийного номера записывает визиты только с ним\n"
        "identify выводит строку site=НАЗВАНИЕ для прибора, привязанного к объекту;\n"
        "read-settings, write-settings и write-firmware (и show/diff/check с device)\n"
        "записывают визит в книгу для моста с серийным номером. Книга, которую нельзя\n"
        "открыть или записать, не мешает работе с прибором: результат операции и код\n"
        "завершения остаются, выводится \"Визит не записан в книгу объектов: ...\".\n"
        "Ключи JSON (site list/show, visits, book export) описаны в README.\n");
}
