#include "catalogue/message_catalogue.h"

#include <array>

namespace velor {
namespace {

// The built-in catalogue, ids 10001 to 10059 in order.
const char* const kBuiltIn[kBuiltInMessageCount] = {
    u8"Ошибка!",                                                                    // 10001
    u8"Ошибка открытия файла помощи %s",                                            // 10002
    u8"Связь с прибором прервана",                                                  // 10003
    u8"Идет запись настроек в прибор. Ждите...",                                    // 10004
    u8"Идет запись ПО в прибор. Ждите...",                                          // 10005
    u8"Идет считывание настроек из прибора. Ждите...",                              // 10006
    u8"Заводские настройки выставлены",                                             // 10007
    u8"Внимание! Изменение типа ШС повлияет на привязки ШС к реле!",                // 10008
    u8"В режиме <Звуковой> длительность извещения задается на странице <Главная>!", // 10009
    u8"Несовпадение типа устройства - запись недоступна",                           // 10010
    u8"Несовпадение платформы устройства - запись недоступна",                      // 10011
    u8"ПО для Велор-580",                                                           // 10012
    u8"Тип прибора не определен - запись недоступна",                               // 10013
    u8"Запись настроек в файл завершена",                                           // 10014
    u8"Ввести заново?",                                                             // 10015
    u8"Введен идентификатор неверной длины!",                                       // 10016
    u8"Идентификатор уже существует в списке!",                                     // 10017
    u8"Диапазон возможных значений от 1 до 253!",                                   // 10018
    u8"Диапазон возможных значений от %s до %s сек с шагом 5 сек",                  // 10019
    u8"Введите значение <Задержка по входу для ШС1 или ШС2>",                       // 10020
    u8"Время автоперевзятия не может быть меньше времени задержки на вход!",        // 10021
    u8"Диапазон возможных значений от %s до %s сек",                                // 10022
    u8"Введите значение в строке <Время автоперевзятия>!",                          // 10023
    u8"Введите значение!",                                                          // 10024
    u8"Для начала работы с программой выберите в меню <Режим работы> нужный режим", // 10025
    u8"Сообщение",                                                                  // 10026
    u8"Вы действительно хотите выйти?",                                             // 10027
    u8"Нет ответа от прибора",                                                      // 10028
    u8"Подключен прибор несовместимого типа",                                       // 10029
    u8"Ошибка Dallas CRC",                                                          // 10030
    u8"Вещественный идентификатор не подключен к разъему",                          // 10031
    u8"Время ожидания истекло",                                                     // 10032
    u8"Связь установлена. Обнаружен прибор %s",                                     // 10033
    u8"Идентификатор уже существует в списке",                                      // 10034
    u8"Запись настроек завершена",                                                  // 10035
    u8"Чтение настроек завершено",                                                  // 10036
    u8"Чтение идентификатора завершено",                                            // 10037
    u8"Нет связи с прибором",                                                       // 10038
    u8"Ошибка во время записи или чтения. Устраните причину и повторите действие",  // 10039
    u8"Смена ПО завершена успешно",                                                 // 10040
    u8"Ошибка: ПО не загружено",                                                    // 10041
    u8"Ошибка при инициализации связи",                                             // 10042
    u8"Не удалось отправить данные",                                                // 10043
    u8"Запись ПО не завершена",                                                     // 10044
    u8"Не удалось получить данные",                                                 // 10045
    u8"Ошибка CRC в принятом пакете",                                               // 10046
    u8"Неправильный заголовок пакета",                                              // 10047
    u8"Ошибка при записи ПО",                                                       // 10048
    u8"Прибор вернул ошибку CRC",                                                   // 10049
    u8"Прибор не отвечает",                                                         // 10050
    u8"Коммуникация была прервана",                                                 // 10051
    u8"Ошибка отправки сценария",                                                   // 10052
    u8"Обнаружен прибор системы Велор-Ворсан. Режим настройки недоступен.",         // 10053
    u8"Внимание!",                                                                  // 10054
    u8"Приборы марки Велор отключены от линии USB!",                                // 10055
    u8"Подключено более одного прибора марки Велор! Оставьте только один прибор на линии "
    u8"USB!",                                           // 10056
    u8"Ошибка при записи настроек",                     // 10057
    u8"Ошибка при чтении настроек",                     // 10058
    u8"Ошибка при чтении вещественного идентификатора", // 10059
};

std::array<QString, kCatalogueSize>& entries() {
    static std::array<QString, kCatalogueSize> table;
    return table;
}

const QLatin1String kPlaceholder("%s"); // where a message takes an argument

bool inCatalogue(int id) {
    return id >= kFirstMessageId && id < kFirstMessageId + kCatalogueSize;
}

} // namespace

QString MessageText(int id) {
    return inCatalogue(id) ? entries()[static_cast<std::size_t>(id - kFirstMessageId)] : QString();
}

QString MessageText(int id, std::initializer_list<QString> arguments) {
    QString text = MessageText(id);
    qsizetype from = 0;
    for (const QString& argument : arguments) {
        const qsizetype at = text.indexOf(kPlaceholder, from);
        if (at < 0) {
            break;
        }
        text.replace(at, kPlaceholder.size(), argument);
        from = at + argument.size();
    }
    return text;
}

void SetMessageText(int id, const QString& text) {
    if (inCatalogue(id)) {
        entries()[static_cast<std::size_t>(id - kFirstMessageId)] = text.left(kMaxMessageLength);
    }
}

void ClearMessageCatalogue() {
    for (QString& e : entries()) {
        e.clear();
    }
}

QString BuiltInMessageText(int id) {
    const int k = id - kFirstMessageId;
    return (k >= 0 && k < kBuiltInMessageCount) ? QString::fromUtf8(kBuiltIn[k]) : QString();
}

void LoadBuiltInCatalogue() {
    for (int id = kFirstMessageId; id < kFirstMessageId + kBuiltInMessageCount; ++id) {
        SetMessageText(id, BuiltInMessageText(id));
    }
}

} // namespace velor
