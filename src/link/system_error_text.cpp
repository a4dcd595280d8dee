#include "link/system_error_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace velor {

namespace {

constexpr std::size_t kSystemTextSize = 256;

struct SystemError {
    int error;
    const char* text;
};

// The reasons a technician meets with settings files, firmware files and the port.
constexpr std::array<SystemError, 29> kSystemErrors = {{
    {EPERM, QT_TRANSLATE_NOOP("SystemError", "Операция не разрешена")},
    {ENOENT, QT_TRANSLATE_NOOP("SystemError", "Нет такого файла или папки")},
    {EIO, QT_TRANSLATE_NOOP("SystemError", "Ошибка ввода-вывода")},
    {ENXIO, QT_TRANSLATE_NOOP("SystemError", "Нет такого устройства или адреса")},
    {EBADF, QT_TRANSLATE_NOOP("SystemError", "Неверный дескриптор файла")},
    {EAGAIN, QT_TRANSLATE_NOOP("SystemError", "Ресурс временно недоступен")},
    {ENOMEM, QT_TRANSLATE_NOOP("SystemError", "Не хватает памяти")},
    {EACCES, QT_TRANSLATE_NOOP("SystemError", "Отказано в доступе")},
    {EBUSY, QT_TRANSLATE_NOOP("SystemError", "Устройство или ресурс занято")},
    {EEXIST, QT_TRANSLATE_NOOP("SystemError", "Файл уже существует")},
    {ENODEV, QT_TRANSLATE_NOOP("SystemError", "Нет такого устройства")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SystemError", "Это не папка")},
    {EISDIR, QT_TRANSLATE_NOOP("SystemError", "Это папка")},
    {EINVAL, QT_TRANSLATE_NOOP("SystemError", "Недопустимый аргумент")},
    {ENFILE, QT_TRANSLATE_NOOP("SystemError", "Слишком много открытых файлов в системе")},
    {EMFILE, QT_TRANSLATE_NOOP("SystemError", "Слишком много открытых файлов")},
    {ENOTTY, QT_TRANSLATE_NOOP("SystemError", "Неподходящий ioctl для устройства")},
    {ETXTBSY, QT_TRANSLATE_NOOP("SystemError", "Текстовый файл занят")},
    {EFBIG, QT_TRANSLATE_NOOP("SystemError", "Файл слишком велик")},
    {ENOSPC, QT_TRANSLATE_NOOP("SystemError", "На устройстве не осталось свободного места")},
    {EROFS, QT_TRANSLATE_NOOP("SystemError", "Файловая система доступна только для чтения")},
    {EPIPE, QT_TRANSLATE_NOOP("SystemError", "Обрыв канала")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SystemError", "Слишком длинное имя файла")},
    {ELOOP, QT_TRANSLATE_NOOP("SystemError", "Слишком много уровней символических ссылок")},
    {EDQUOT, QT_TRANSLATE_NOOP("SystemError", "Превышена дисковая квота")},
    {ESTALE, QT_TRANSLATE_NOOP("SystemError", "Устаревший дескриптор файла")},
    {EINTR, QT_TRANSLATE_NOOP("SystemError", "Прерван системный вызов")},
    {ETIMEDOUT, QT_TRANSLATE_NOOP("SystemError", "Время ожидания истекло")},
    {EOVERFLOW, QT_TRANSLATE_NOOP("SystemError", "Значение слишком велико для типа данных")},
}};

// The system's own text; strerror_r (GNU form) instead of strerror, which may share one buffer
// between threads.
QString SystemOwnText(int error) {
    std::array<char, kSystemTextSize> buffer{};
    return QString::fromLocal8Bit(::strerror_r(error, buffer.data(), buffer.size()));
}

} // namespace

QString SystemErrorText(int error) {
    const auto* found = std::find_if(kSystemErrors.begin(), kSystemErrors.end(),
                                     [error](const SystemError& e) { return e.error == error; });
    if (found == kSystemErrors.end()) {
        return SystemOwnText(error);
    }
    return QCoreApplication::translate("SystemError", found->text);
}

} // namespace velor
