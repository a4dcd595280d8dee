#pragma once

// The ids of the built-in messages, by what each says. The catalogue holds their texts (the
// program's own Russian, or a language library's); code names a message only by these ids.
namespace velor::msg {

constexpr int kError = 10001;           // "Ошибка!": caption of every error box
constexpr int kHelpOpenError = 10002;   // "... файла помощи %s"
constexpr int kLinkInterrupted = 10003; // "Связь с прибором прервана"
constexpr int kWritingSettings = 10004; // "Идет запись настроек в прибор. Ждите..."
constexpr int kWritingFirmware = 10005; // "Идет запись ПО в прибор. Ждите..."
constexpr int kReadingSettings = 10006; // "Идет считывание настроек из прибора. Ждите..."
constexpr int kFactorySettingsSet = 10007; // "Заводские настройки выставлены"
constexpr int kLoopTypeWarning = 10008; // a loop-type change affects the relay bindings
constexpr int kSoundModeNote = 10009;   // sound mode: the duration is set on the main page
constexpr int kTypeMismatch = 10010; // "Несовпадение типа устройства - ..."
constexpr int kPlatformMismatch = 10011; // "Несовпадение платформы устройства - ..."
constexpr int kFirmwareFor580 = 10012; // "ПО для Велор-580"
constexpr int kUnknownType = 10013;    // "Тип прибора не определен - ..."
constexpr int kSavedToFile = 10014; // "Запись настроек в файл завершена"
constexpr int kReenterQuestion = 10015; // "Ввести заново?"
constexpr int kWrongIdentifierLength = 10016; // "Введен идентификатор неверной длины!"
constexpr int kIdentifierListed = 10017; // "Идентификатор уже существует в списке!"
constexpr int kDeviceNumberRange = 10018; // "Диапазон возможных значений от 1 до 253!"
constexpr int kRangeWithStep = 10019; // "... от %s до %s сек с шагом 5 сек"
constexpr int kEntryDelayMissing = 10020; // "Введите значение <Задержка по входу ...>"
constexpr int kReArmBelowEntryDelay = 10021; // re-arm time below the entry delay
constexpr int kDelayRange = 10022;           // "... от %s до %s сек"
constexpr int kReArmMissing = 10023; // "Введите значение в строке <Время автоперевзятия>!"
constexpr int kValueMissing = 10024;   // "Введите значение!"
constexpr int kChooseWorkMode = 10025; // choose a window mode to begin
constexpr int kMessage = 10026;        // "Сообщение": caption of information boxes
constexpr int kConfirmExit = 10027;    // "Вы действительно хотите выйти?"
constexpr int kNoAnswer = 10028;       // "Нет ответа от прибора"
constexpr int kIncompatibleDevice = 10029; // "Подключен прибор несовместимого типа"
constexpr int kDallasCrc = 10030;     // "Ошибка Dallas CRC"
constexpr int kNoKeyOnReader = 10031; // no physical identifier on the reader
constexpr int kTimeout = 10032;       // "Время ожидания истекло"
constexpr int kConnected = 10033; // "Связь установлена. Обнаружен прибор %s"
constexpr int kKeyListed = 10034; // "Идентификатор уже существует в списке"
constexpr int kSettingsWritten = 10035; // "Запись настроек завершена"
constexpr int kSettingsRead = 10036;    // "Чтение настроек завершено"
constexpr int kKeyRead = 10037; // "Чтение идентификатора завершено"
constexpr int kNoLink = 10038;  // "Нет связи с прибором"
constexpr int kTransferError = 10039;     // error while writing or reading
constexpr int kFirmwareWritten = 10040;   // "Смена ПО завершена успешно"
constexpr int kFirmwareNotLoaded = 10041; // "Ошибка: ПО не загружено"
constexpr int kConnectFailed = 10042; // "Ошибка при инициализации связи"
constexpr int kSendFailed = 10043;    // "Не удалось отправить данные"
constexpr int kFirmwareIncomplete = 10044; // "Запись ПО не завершена"
constexpr int kReceiveFailed = 10045;      // "Не удалось получить данные"
constexpr int kReplyCrc = 10046;           // "Ошибка CRC в принятом пакете"
constexpr int kBadHeader = 10047; // "Неправильный заголовок пакета"
constexpr int kFirmwareWriteFailed = 10048; // "Ошибка при записи ПО"
constexpr int kDeviceReportsCrc = 10049;    // "Прибор вернул ошибку CRC"
constexpr int kDeviceSilent = 10050;        // "Прибор не отвечает"
constexpr int kCommunicationBroken = 10051; // "Коммуникация была прервана"
constexpr int kScenarioFailed = 10052;      // "Ошибка отправки сценария"
constexpr int kVorsanDevice = 10053;        // a Velor-Vorsan device: no settings mode
constexpr int kAttention = 10054;           // "Внимание!"
constexpr int kNoDevice = 10055;            // no Velor device on the USB line
constexpr int kSeveralDevices = 10056;      // more than one Velor device on the USB line
constexpr int kSettingsWriteFailed = 10057; // "Ошибка при записи настроек"
constexpr int kSettingsReadFailed = 10058;  // "Ошибка при чтении настроек"
constexpr int kKeyReadFailed = 10059; // "Ошибка при чтении вещественного идентификатора"

} // namespace velor::msg
