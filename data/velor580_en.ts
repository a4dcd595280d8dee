<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>Bridges</name>
    <message>
        <source>Не подключен ни один USB-последовательный мост FTDI.</source>
        <translation>No FTDI USB-serial bridge is attached.</translation>
    </message>
    <message>
        <source>доступ есть</source>
        <translation>accessible</translation>
    </message>
    <message>
        <source>нет доступа: нет файла устройства</source>
        <translation>no access: there is no device node</translation>
    </message>
    <message>
        <source>нет доступа: %1</source>
        <translation>no access: %1</translation>
    </message>
    <message>
        <source>нет доступа: группе &quot;%1&quot; не разрешены чтение и запись</source>
        <translation>no access: the group &quot;%1&quot; may not read and write it</translation>
    </message>
    <message>
        <source>нет доступа: вы в группе &quot;%1&quot; со следующего входа в систему; войдите заново</source>
        <translation>no access: you are in the group &quot;%1&quot; from your next login; log in again</translation>
    </message>
    <message>
        <source>нет доступа: устройство группы &quot;%1&quot;, вас в ней нет (sudo usermod -aG %1 $USER, затем войдите заново)</source>
        <translation>no access: the device belongs to the group &quot;%1&quot;, which you are not in (sudo usermod -aG %1 $USER, then log in again)</translation>
    </message>
</context>
<context>
    <name>CfgFormat</name>
    <message>
        <source>Строк: %1, а в файле настроек их %2</source>
        <translation>%1 lines; a settings file has %2</translation>
    </message>
    <message>
        <source>В файле &quot;%1&quot; строк: %2, а в файле настроек их %3</source>
        <translation>File &quot;%1&quot; has %2 lines; a settings file has %3</translation>
    </message>
    <message>
        <source>%1 (строка %2)</source>
        <translation>%1 (line %2)</translation>
    </message>
    <message>
        <source>%1 (файл &quot;%2&quot;, строка %3)</source>
        <translation>%1 (file &quot;%2&quot;, line %3)</translation>
    </message>
    <message>
        <source>В нём %1 байт, а файл настроек не бывает больше %2 байт</source>
        <translation>It has %1 bytes; a settings file is never larger than %2 bytes</translation>
    </message>
    <message>
        <source>Не удалось открыть файл &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Не удалось создать файл &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
</context>
<context>
    <name>ChangeListDialog</name>
    <message>
        <source>Поле</source>
        <translation>Field</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>после %1 нужно значение</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>параметры --before, --changed-from-factory, --lang, --pdf и --html есть только у команды report</source>
        <translation>the options --before, --changed-from-factory, --lang, --pdf and --html belong to the command report only</translation>
    </message>
    <message>
        <source>--lang: язык отчета ru или en</source>
        <translation>--lang: the report&apos;s language is ru or en</translation>
    </message>
    <message>
        <source>команде report нужен файл отчета: --pdf ФАЙЛ или --html ФАЙЛ</source>
        <translation>the command report needs a report file: --pdf FILE or --html FILE</translation>
    </message>
    <message>
        <source>Отчет не сохранен: %1: %2</source>
        <translation>The report was not saved: %1: %2</translation>
    </message>
    <message>
        <source>Отчет сохранен: %1</source>
        <translation>Report saved: %1</translation>
    </message>
    <message>
        <source>Отчет не сохранен: %1: нет графической подсистемы</source>
        <translation>The report was not saved: %1: no graphics system</translation>
    </message>
    <message>
        <source>Отчет не сохранен: %1: страницы не построены</source>
        <translation>The report was not saved: %1: the pages could not be laid out</translation>
    </message>
    <message>
        <source>
Отчет о визите:
  report ИСТОЧНИК      отчет о настройках &quot;как оставлено&quot; (ИСТОЧНИК) для
                       заказчика и архива: прибор, техник, дата, отпечатки,
                       измененные поля, замечания проверки, все настройки по
                       страницам окна, строки для подписей
  --before ИСТОЧНИК    настройки &quot;как найдено&quot;: отчет начинается с полей, в
                       которых они отличаются
  --changed-from-factory  перечислять только поля, отличные от заводских
  --lang ru|en         язык отчета (и сообщений этого запуска)
  --pdf ФАЙЛ           сохранить отчет в PDF (A4, номера страниц и отпечаток
                       настроек внизу каждой страницы)
  --html ФАЙЛ          сохранить тот же отчет одним файлом HTML
Файл отчета заменяется только готовым новым. Код завершения: 0 отчет сохранен;
2 ошибка в командной строке; 3 не удалось открыть порт; 4 не удалось прочитать
файл настроек; 5 не удалось прочитать настройки прибора или сохранить отчет.
</source>
        <translation>
Visit report:
  report SOURCE        a report of the settings &quot;as left&quot; (SOURCE) for the
                       customer and the files: device, technician, date,
                       fingerprints, changed fields, check warnings, all settings
                       by the window&apos;s pages, lines for signatures
  --before SOURCE      the settings &quot;as found&quot;: the report starts with the fields
                       in which they differ
  --changed-from-factory  list only the fields that differ from the factory ones
  --lang ru|en         the report&apos;s language (and this run&apos;s messages)
  --pdf FILE           save the report as PDF (A4, the page number and the
                       settings&apos; fingerprint at the foot of every page)
  --html FILE          save the same report as one HTML file
A report file is replaced only by a complete new one. Exit status: 0 the report
was saved; 2 command-line error; 3 the port could not be opened; 4 a settings
file could not be read; 5 the device&apos;s settings could not be read or the report
could not be saved.
</translation>
    </message>
    <message>
        <source>неизвестная команда &quot;%1&quot;</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>после --port нужен путь к устройству или серийный номер моста</source>
        <translation>--port needs a device path or a bridge&apos;s serial number</translation>
    </message>
    <message>
        <source>неизвестный параметр &quot;%1&quot;</source>
        <translation>unknown option &quot;%1&quot;</translation>
    </message>
    <message>
        <source>не задана команда</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>команде %1 нужен файл</source>
        <translation>%1 needs a file</translation>
    </message>
    <message>
        <source>лишний аргумент &quot;%1&quot;</source>
        <translation>unexpected argument &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Устройство принадлежит группе &quot;%1&quot;: добавьте себя в нее (sudo usermod -aG %1 $USER) и войдите в систему заново.</source>
        <translation>The device belongs to group &quot;%1&quot;: join it (sudo usermod -aG %1 $USER) and log in again.</translation>
    </message>
    <message>
        <source>Файл %1 нельзя сохранить: %2</source>
        <translation>The file %1 cannot be saved: %2</translation>
    </message>
    <message>
        <source>Не удалось вывести результат в стандартный вывод: %1</source>
        <translation>The result could not be written to standard output: %1</translation>
    </message>
    <message>
        <source>список команд: velor580-cli --help</source>
        <translation>velor580-cli --help lists the commands</translation>
    </message>
    <message>
        <source>выполнено: %1/%2</source>
        <translation>progress: %1/%2</translation>
    </message>
    <message>
        <source>папка %1 не существует</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>%1 — не папка</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>нет права записи в папку %1</source>
        <translation>no permission to write into the folder %1</translation>
    </message>
    <message>
        <source>нет права записи в файл</source>
        <translation>no permission to write the file</translation>
    </message>
    <message>
        <source>команде %1 нужен источник настроек: файл .cfg, device или factory</source>
        <translation>the command %1 needs a settings source: a .cfg file, device or factory</translation>
    </message>
    <message>
        <source>команде %1 нужны два источника настроек: A и B</source>
        <translation>the command %1 needs two settings sources: A and B</translation>
    </message>
    <message>
        <source>
Просмотр, сравнение и проверка настроек. ИСТОЧНИК -- файл .cfg, device (настройки,
прочитанные из прибора) или factory (заводские настройки 580default.cfg); файл с
именем device или factory задается как ./device, ./factory.
  show ИСТОЧНИК         вывести все настройки по страницам окна
  diff A B              вывести поля, в которых A и B различаются:
                          поле: было → стало
  check ИСТОЧНИК        вывести, что окно не сохранит, загрузив эти настройки,
                        и что в них не имеет смысла: по строке на замечание
  --json                отчет show, diff или check документом JSON с постоянными
                        ключами полей (general.sounder_duration_s, loops[3].type,
                        outputs.relay1.work_mode, keys[2].code; ШС, выходы и
                        ключи нумеруются, как в окне, с 1)
Каждый отчет показывает отпечаток настроек: первые 12 шестнадцатеричных цифр
SHA-256 от 257 байт (в JSON и все 64).

Код завершения show, diff и check: 0 отчет выведен (diff: настройки совпадают,
check: замечаний нет); 1 настройки различаются (diff) или есть замечания (check);
2 ошибка в командной строке; 3 не удалось открыть порт; 4 не удалось прочитать
файл настроек (нет файла, не обычный файл, мало строк, строка -- не число);
5 не удалось прочитать настройки из прибора или вывести отчет.
</source>
        <translation>
Viewing, comparing and checking settings. SOURCE is a .cfg file, device (the
settings read from the device) or factory (the factory settings 580default.cfg); a
file named device or factory is given as ./device, ./factory.
  show SOURCE           print all settings by the window&apos;s pages
  diff A B              print the fields in which A and B differ:
                          field: before → after
  check SOURCE          print what the window would not keep of these settings
                        when it loads them, and what in them makes no sense: one
                        line per finding
  --json                the report of show, diff or check as a JSON document with
                        stable field keys (general.sounder_duration_s,
                        loops[3].type, outputs.relay1.work_mode, keys[2].code;
                        loops, outputs and keys are numbered as in the window,
                        from 1)
Every report shows the settings&apos; fingerprint: the first 12 hexadecimal digits of
the SHA-256 of the 257 bytes (all 64 in JSON as well).

Exit status of show, diff and check: 0 the report was printed (diff: the settings
are the same, check: no findings); 1 the settings differ (diff) or there are
findings (check); 2 bad command line; 3 the port could not be opened; 4 a settings
file could not be read (missing, not a regular file, too few lines, a line that is
no number); 5 the device&apos;s settings could not be read or the report could not be
written.
</translation>
    </message>
    <message>
        <source>Отпечаток: %1</source>
        <translation>Fingerprint: %1</translation>
    </message>
    <message>
        <source>заводские настройки (%1)</source>
        <translation>factory settings (%1)</translation>
    </message>
    <message>
        <source>прибор (%1)</source>
        <translation>device (%1)</translation>
    </message>
    <message>
        <source>первый мост FTDI</source>
        <translation>first FTDI bridge</translation>
    </message>
    <message>
        <source>Настройки: %1</source>
        <translation>Settings: %1</translation>
    </message>
    <message>
        <source>A: %1, отпечаток %2
</source>
        <translation>A: %1, fingerprint %2
</translation>
    </message>
    <message>
        <source>B: %1, отпечаток %2
</source>
        <translation>B: %1, fingerprint %2
</translation>
    </message>
    <message>
        <source>Настройки совпадают.
</source>
        <translation>The settings are the same.
</translation>
    </message>
    <message>
        <source>Различающихся полей: %1
</source>
        <translation>Fields that differ: %1
</translation>
    </message>
    <message>
        <source>Проверка: %1</source>
        <translation>Check: %1</translation>
    </message>
    <message>
        <source>Окно сохранит эти настройки без изменений.
</source>
        <translation>The window keeps these settings unchanged.
</translation>
    </message>
    <message>
        <source>Замечаний: %1. Настройки, загруженные в окно, сохранятся с отпечатком %2.
</source>
        <translation>Findings: %1. Loaded into the window, the settings are saved with the fingerprint %2.
</translation>
    </message>
    <message>
        <source>параметр %1 есть только у команды write-settings</source>
        <translation>the option %1 belongs to write-settings only</translation>
    </message>
    <message>
        <source>параметр %1 есть только у команд show, diff, check и history</source>
        <translation>only the commands show, diff, check and history take the option %1</translation>
    </message>
    <message>
        <source>Вызов: velor580-cli [--port ПУТЬ|СЕРИЙНЫЙ_НОМЕР] [ПАРАМЕТРЫ] [--] КОМАНДА [ФАЙЛ]

Работает с прибором 580 через первый USB-последовательный мост FTDI, через мост
с заданным серийным номером USB или через последовательное устройство ПУТЬ
(например, псевдотерминал имитатора).

Команды:
  identify             вывести сведения о приборе:
                         type=&lt;n&gt; platform=&lt;n&gt; version=&lt;a&gt;_&lt;b&gt;_&lt;c&gt;
  read-settings OUT    прочитать настройки и сохранить их в файл .cfg; папка
                       файла проверяется до обращения к прибору
  write-settings IN    записать в прибор настройки из файла .cfg: сначала
                       читает настройки прибора и выводит, что изменится
                       (&quot;поле: было → станет&quot;, отпечатки обеих настроек),
                       сохраняет прежние настройки в историю, записывает и
                       читает их обратно для сравнения побайтно
  read-key             прочитать ключ, приложенный к считывателю; выводит его
                       идентификатор: 12 шестнадцатеричных цифр
  write-firmware IN    записать в прибор файл ПО (.tsk), проверив, что тип
                       прибора и платформа в файле совпадают с прибором; до
                       записи выводит имя, размер, тип, платформу и SHA-256
                       файла, тип и версию подключенного прибора
  history              список снимков настроек, сохраненных перед записями,
                       от нового к старому: время, тип и версия прибора,
                       отпечаток, файл; снимок возвращается в прибор командой
                       write-settings ФАЙЛ_СНИМКА
  ports                подключенные мосты FTDI: устройство, серийный номер
                       USB, место на шине USB, можно ли его открыть и почему
                       нет; первый в списке используется без --port

Параметры:
  --port ПУТЬ          последовательное устройство вместо моста FTDI
  --port НОМЕР         мост FTDI с этим серийным номером USB (значение без &quot;/&quot;)
  --dry-run            write-settings: только вывести изменения, не записывать
  --no-verify          write-settings: не читать настройки обратно после записи
  --json               show, diff, check, history: одним документом JSON
  -h, --help           эта справка
  --version            версия программы
  --                   конец параметров: дальше только команда и файл

Действуют проверки программы настройки: прибор должен быть моделью 580, а
настройки прибора, у которого первый байт версии равен 2 (система Велор-Ворсан),
не читаются и не изменяются. identify и write-firmware подключаются, как режим
смены ПО, и принимают такой прибор.

История настроек: папка history рядом с программой в ее собственной папке,
иначе ~/.local/share/velor580/history. Хранятся 200 последних снимков; снимок
моложе 30 дней не удаляется. Если снимок сохранить нельзя, запись не начинается.

Результаты (сведения о приборе, идентификатор ключа, список изменений, списки
history и ports) выводятся в стандартный вывод; текст состояния каждого исхода,
ход передачи и ошибки -- в стандартный поток ошибок. Ход передачи обновляет одну
строку в терминале и пишется по строке на шаг в файл или канал.

Язык текстов -- тот, что выбран в программе настройки ([Language] Default в
velor580.INI), а если он там не задан -- язык системы (LC_ALL, LC_MESSAGES,
LANG). Библиотека языка (velor580.EN) берется из папки программы настройки.
Переменная VELOR580_LANGUAGE (например, EN) задает язык одного запуска.

Код завершения: 0 успех (history и ports -- и при пустом списке); 1 операция не
выполнена или отклонена, настройки после записи не совпали с записанными, снимок
не сохранен, либо результат не удалось вывести; 2 ошибка в командной строке;
3 не удалось открыть порт или нет моста с заданным серийным номером.
</source>
        <translation>Usage: velor580-cli [--port PATH|SERIAL_NUMBER] [OPTIONS] [--] COMMAND [FILE]

Works with a model-580 device over the first FTDI USB-serial bridge, over the bridge
with the given USB serial number, or over the serial device PATH (for example the
simulator&apos;s pseudo-terminal).

Commands:
  identify             print the device&apos;s identity:
                         type=&lt;n&gt; platform=&lt;n&gt; version=&lt;a&gt;_&lt;b&gt;_&lt;c&gt;
  read-settings OUT    read the settings and save them as a .cfg file; the file&apos;s
                       folder is checked before the device is touched
  write-settings IN    write the settings of a .cfg file to the device: first
                       reads the device&apos;s settings and prints what will change
                       (&quot;field: before → after&quot;, the fingerprints of both),
                       keeps the previous settings in the history, writes, and
                       reads them back to compare byte for byte
  read-key             read the key held to the reader; prints its identifier as
                       12 hexadecimal digits
  write-firmware IN    write a firmware file (.tsk) to the device, after checking
                       that its device type and platform are the device&apos;s; first
                       prints the file&apos;s name, size, type, platform and SHA-256
                       and the connected device&apos;s type and version
  history              the snapshots of settings kept before writes, newest
                       first: time, device type and version, fingerprint, file;
                       write-settings SNAPSHOT_FILE puts one back on the device
  ports                the attached FTDI bridges: device, USB serial number,
                       place on the USB bus, whether you can open it and why
                       not; the first one is used without --port

Options:
  --port PATH          a serial device instead of the FTDI bridge
  --port NUMBER        the FTDI bridge with this USB serial number (no &quot;/&quot;)
  --dry-run            write-settings: only print the changes, write nothing
  --no-verify          write-settings: do not read the settings back after writing
  --json               show, diff, check, history: as one JSON document
  -h, --help           this help
  --version            the program&apos;s version
  --                   end of the options: only the command and file follow

The checks of the configurator apply: the device must be a model 580, and the
settings of a device whose first version byte is 2 (Velor-Vorsan system) are
neither read nor changed. identify and write-firmware connect as the firmware work
mode does and accept such a device.

Settings history: the folder history beside the program in its own folder,
otherwise ~/.local/share/velor580/history. The last 200 snapshots are kept; a
snapshot younger than 30 days is never deleted. When no snapshot can be saved, the
write does not start.

Results (identity, key identifier, the list of changes, the lists of history and
ports) go to standard output; the status text of every outcome, progress and errors
go to standard error. Progress redraws one line on a terminal and writes one line
per step to a file or a pipe.

The texts follow the language chosen in the configurator ([Language] Default in
velor580.INI) or, when none is chosen there, the system&apos;s (LC_ALL, LC_MESSAGES,
LANG). The language library (velor580.EN) is taken from the configurator&apos;s folder.
The variable VELOR580_LANGUAGE (for example EN) sets the language of one run.

Exit status: 0 success (history and ports also with an empty list); 1 the operation
failed or was refused, the settings after a write differ from those written, no
snapshot could be saved, or the result could not be written; 2 bad command line;
3 the port could not be opened, or no bridge has the given serial number.
</translation>
    </message>
    <message>
        <source>Чтение настроек прибора перед записью</source>
        <translation>Reading the device&apos;s settings before the write</translation>
    </message>
    <message>
        <source>Настройки прибора не прочитаны: запись не начата.</source>
        <translation>The device&apos;s settings were not read: the write did not start.</translation>
    </message>
    <message>
        <source>Пробный запуск (--dry-run): в прибор ничего не записано.</source>
        <translation>Dry run (--dry-run): nothing was written to the device.</translation>
    </message>
    <message>
        <source>Снимок настроек прибора не сохранен: %1</source>
        <translation>The snapshot of the device&apos;s settings was not saved: %1</translation>
    </message>
    <message>
        <source>Запись не начата: без снимка прежние настройки нельзя было бы вернуть.</source>
        <translation>The write did not start: without a snapshot the previous settings could not be put back.</translation>
    </message>
    <message>
        <source>Прежние настройки прибора сохранены: %1</source>
        <translation>The device&apos;s previous settings are kept in: %1</translation>
    </message>
    <message>
        <source>Проверка записи пропущена (--no-verify).</source>
        <translation>The write was not verified (--no-verify).</translation>
    </message>
    <message>
        <source>Проверка записи: настройки читаются из прибора снова</source>
        <translation>Verifying the write: reading the settings from the device again</translation>
    </message>
    <message>
        <source>Ошибка проверки: настройки не прочитаны обратно, запись не подтверждена.</source>
        <translation>Verification failed: the settings could not be read back, the write is not confirmed.</translation>
    </message>
    <message>
        <source>Ошибка проверки: прибор хранит не те настройки, что записаны.</source>
        <translation>Verification failed: the device holds other settings than those written.</translation>
    </message>
    <message>
        <source>Проверка пройдена: прибор хранит записанные настройки (%1).</source>
        <translation>Verified: the device holds the settings written (%1).</translation>
    </message>
    <message>
        <source>Список того, что изменит запись, не выведен: запись не начата.</source>
        <translation>The list of what the write changes could not be shown: the write did not start.</translation>
    </message>
    <message>
        <source>Прежние настройки возвращает команда: %1</source>
        <translation>This command puts the previous settings back: %1</translation>
    </message>
    <message>
        <source>Запись настроек прервана (%1): в прибор ничего не записано.</source>
        <translation>Settings write interrupted (%1): nothing was written to the device.</translation>
    </message>
    <message>
        <source>Запись настроек прервана (%1): прибор может хранить новые настройки частично. Прежние настройки возвращает команда: %2</source>
        <translation>Settings write interrupted (%1): the device may hold part of the new settings. This command puts the previous settings back: %2</translation>
    </message>
    <message>
        <source>Проверка записи прервана (%1): настройки записаны, но не проверены. Прежние настройки возвращает команда: %2</source>
        <translation>Write check interrupted (%1): the settings were written but not checked. This command puts the previous settings back: %2</translation>
    </message>
    <message>
        <source>Прошивка прервана (%1): в прибор ничего не записано.</source>
        <translation>Firmware upload interrupted (%1): nothing was written to the device.</translation>
    </message>
    <message>
        <source>Прошивка прервана (%1): ПО в приборе может быть записано частично, повторите прошивку командой: %2</source>
        <translation>Firmware upload interrupted (%1): the device may hold part of the firmware; repeat the upload with: %2</translation>
    </message>
    <message>
        <source>История настроек: %1</source>
        <translation>Settings history: %1</translation>
    </message>
    <message>
        <source>История пуста: снимков еще нет.</source>
        <translation>The history is empty: no snapshots yet.</translation>
    </message>
    <message>
        <source>Нет моста FTDI с серийным номером &quot;%1&quot;.</source>
        <translation>No FTDI bridge has the serial number &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Подключены: %1.</source>
        <translation>Attached: %1.</translation>
    </message>
    <message>
        <source>Серийный номер &quot;%1&quot; у нескольких мостов: %2. Укажите путь к устройству.</source>
        <translation>The serial number &quot;%1&quot; is on several bridges: %2. Give the device path instead.</translation>
    </message>
    <message>
        <source>Нет изменений</source>
        <translation>No changes</translation>
    </message>
    <message>
        <source>Настройки прибора: %1</source>
        <translation>Device settings: %1</translation>
    </message>
    <message>
        <source>Настройки файла %1: %2</source>
        <translation>Settings of the file %1: %2</translation>
    </message>
    <message>
        <source>Записано: %1</source>
        <translation>Written: %1</translation>
    </message>
    <message>
        <source>В приборе: %1</source>
        <translation>In the device: %1</translation>
    </message>
    <message>
        <source>Файл ПО: %1, %2 байт</source>
        <translation>Firmware file: %1, %2 bytes</translation>
    </message>
    <message>
        <source>ПО для прибора: тип %1, платформа %2, версия %3</source>
        <translation>Firmware for: type %1, platform %2, version %3</translation>
    </message>
    <message>
        <source>Подключен прибор: тип %1, платформа %2, версия %3</source>
        <translation>Connected device: type %1, platform %2, version %3</translation>
    </message>
    <message>
        <source>--port не может быть пустым: первый мост FTDI выбирается без --port или с --port auto</source>
        <translation>--port cannot be empty: the first FTDI bridge is chosen without --port or with --port auto</translation>
    </message>
    <message>
        <source>
Порт: --port auto выбирает первый мост FTDI, как и вызов без --port; пустое
значение (--port &apos;&apos;, --port=) -- ошибка в командной строке (код 2). Порт
открывается только для одной программы и занят ею, пока команда не закончится:
ни другая команда, ни окно программы настройки его в это время не откроют.
Занятый порт отклоняется сразу, без обращения к прибору: &quot;Порт ПУТЬ занят
другой программой&quot; (код 3).
</source>
        <translation>
Port: --port auto chooses the first FTDI bridge, as leaving --port out does; an
empty value (--port &apos;&apos;, --port=) is a mistake in the command line (status 2).
A port is opened for one program only and held until the command ends: neither
another command nor the configurator&apos;s window can open it meanwhile. A port in
use is refused at once, before the device is addressed: &quot;Port PATH is in use by
another program&quot; (status 3).
</translation>
    </message>
    <message>
        <source>Предупреждения проверки (%1):</source>
        <translation>Warnings of the check (%1):</translation>
    </message>
    <message>
        <source>  внимание: %1</source>
        <translation>  warning: %1</translation>
    </message>
    <message>
        <source>после %1 нужно значение</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>после %1 нужно одно из: %2</source>
        <translation>%1 needs one of: %2</translation>
    </message>
    <message>
        <source>команде site %1 нужно название объекта</source>
        <translation>site %1 needs the site&apos;s name</translation>
    </message>
    <message>
        <source>команде book %1 нужен файл</source>
        <translation>book %1 needs a file</translation>
    </message>
    <message>
        <source>параметр --json есть у site list, site show и visits, но не у %1 %2</source>
        <translation>--json belongs to site list, site show and visits, not to %1 %2</translation>
    </message>
    <message>
        <source>параметр --search есть только у команды site list</source>
        <translation>--search belongs to site list only</translation>
    </message>
    <message>
        <source>параметры --address, --contact, --phone и --notes есть только у команд site add и site edit</source>
        <translation>--address, --contact, --phone and --notes belong to site add and site edit only</translation>
    </message>
    <message>
        <source>параметр --name есть только у команды site edit</source>
        <translation>--name belongs to site edit only</translation>
    </message>
    <message>
        <source>параметр --serial есть только у команды site attach</source>
        <translation>--serial belongs to site attach only</translation>
    </message>
    <message>
        <source>команде site attach нужен --port ПОРТ|СЕРИЙНЫЙ_НОМЕР или --serial СЕРИЙНЫЙ_НОМЕР</source>
        <translation>site attach needs --port PORT|SERIAL_NUMBER or --serial SERIAL_NUMBER</translation>
    </message>
    <message>
        <source>
Книга объектов (объекты, приборы по серийному номеру USB моста, визиты):
  site list [--search ТЕКСТ] [--json]
                       объекты по названию; с --search -- те, чье название
                       начинается с ТЕКСТА, затем те, у которых он есть в
                       названии, адресе, контакте, телефоне или серийном номере
  site add НАЗВАНИЕ [--address А] [--contact К] [--phone Т] [--notes З]
  site edit НАЗВАНИЕ [--name НОВОЕ] [--address А] [--contact К] [--phone Т]
                       [--notes З]   изменить названные поля объекта
  site show НАЗВАНИЕ [--json]
                       объект, его приборы и визиты (от нового к старому)
  site attach НАЗВАНИЕ (--port ПОРТ|СЕРИЙНЫЙ_НОМЕР | --serial СЕРИЙНЫЙ_НОМЕР)
                       привязать прибор к объекту (визит &quot;attach&quot;)
  visits [--site НАЗВАНИЕ] [--device СЕРИЙНЫЙ_НОМЕР] [--json]
                       визиты от нового к старому
  book export ФАЙЛ     вся книга одним документом JSON (с настройками)
  book import ФАЙЛ     добавить выгрузку в книгу: объекты, приборы и визиты
                       сливаются по UUID, повторный импорт ничего не меняет
  book check           версия схемы, проверка целостности, число записей
  book new             отложить файл книги (и поврежденный) как ФАЙЛ.old-ВРЕМЯ
                       и начать новую книгу
  --book ПУТЬ          другой файл книги вместо sites.sqlite рядом с history
  --technician ИМЯ     имя техника для визитов; иначе VELOR580_TECHNICIAN,
                       [SiteBook] Technician в velor580.INI, имя входа в систему
  --site НАЗВАНИЕ      read-settings, write-settings, write-firmware: объект
                       визита, если прибор ни к одному не привязан; порт без
                       серийного номера записывает визиты только с ним
identify выводит строку site=НАЗВАНИЕ для прибора, привязанного к объекту;
read-settings, write-settings и write-firmware (и show/diff/check с device)
записывают визит в книгу для моста с серийным номером. Книга, которую нельзя
открыть или записать, не мешает работе с прибором: результат операции и код
завершения остаются, выводится &quot;Визит не записан в книгу объектов: ...&quot;.
Ключи JSON (site list/show, visits, book export) описаны в README.
</source>
        <translation>
Site book (sites, devices by their USB bridge&apos;s serial number, visits):
  site list [--search TEXT] [--json]
                       sites by name; with --search, those whose name starts
                       with TEXT, then those holding it in the name, address,
                       contact, phone or a device&apos;s serial number
  site add NAME [--address A] [--contact C] [--phone P] [--notes N]
  site edit NAME [--name NEW] [--address A] [--contact C] [--phone P]
                       [--notes N]   change the given fields of the site
  site show NAME [--json]
                       the site, its devices and visits (newest first)
  site attach NAME (--port PORT|SERIAL_NUMBER | --serial SERIAL_NUMBER)
                       attach a device to the site (an &quot;attach&quot; visit)
  visits [--site NAME] [--device SERIAL_NUMBER] [--json]
                       visits, newest first
  book export FILE     the whole book as one JSON document (with settings)
  book import FILE     add an export to the book: sites, devices and visits
                       merge by UUID, importing again changes nothing
  book check           schema version, integrity check, counts
  book new             put the book file (a damaged one too) aside as
                       FILE.old-TIME and start a new book
  --book PATH          another book file instead of sites.sqlite beside history
  --technician NAME    the technician&apos;s name for visits; otherwise
                       VELOR580_TECHNICIAN, [SiteBook] Technician in
                       velor580.INI, the login name
  --site NAME          read-settings, write-settings, write-firmware: the
                       visit's site when the device is attached to none; a port
                       without a serial number records visits only with it
identify prints a line site=NAME for a device attached to a site;
read-settings, write-settings and write-firmware (and show/diff/check with
device) record a visit in the book for a bridge with a serial number. A book
that cannot be opened or written does not stop the device work: the
operation&apos;s result and exit status stay, and &quot;Visit not recorded in the site
book: ...&quot; is printed.
JSON keys (site list/show, visits, book export) are described in the README.
</translation>
    </message>
    <message>
        <source>проверено</source>
        <translation>verified</translation>
    </message>
    <message>
        <source>не проверено: %1</source>
        <translation>not verified: %1</translation>
    </message>
    <message>
        <source>Объекта %1 нет в книге</source>
        <translation>There is no site %1 in the book</translation>
    </message>
    <message>
        <source>Объект %1 не добавлен: %2</source>
        <translation>Site %1 not added: %2</translation>
    </message>
    <message>
        <source>Объект %1 добавлен в книгу %2</source>
        <translation>Site %1 added to the book %2</translation>
    </message>
    <message>
        <source>Не задано, что изменить: --name, --address, --contact, --phone или --notes</source>
        <translation>Nothing to change given: --name, --address, --contact, --phone or --notes</translation>
    </message>
    <message>
        <source>Объект %1 не изменен: %2</source>
        <translation>Site %1 not changed: %2</translation>
    </message>
    <message>
        <source>Объект %1 изменен</source>
        <translation>Site %1 changed</translation>
    </message>
    <message>
        <source>Приборы:</source>
        <translation>Devices:</translation>
    </message>
    <message>
        <source>Визиты:</source>
        <translation>Visits:</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Site: %1</translation>
    </message>
    <message>
        <source>Адрес: %1</source>
        <translation>Address: %1</translation>
    </message>
    <message>
        <source>Контактное лицо: %1</source>
        <translation>Contact: %1</translation>
    </message>
    <message>
        <source>Телефон: %1</source>
        <translation>Phone: %1</translation>
    </message>
    <message>
        <source>Заметки: %1</source>
        <translation>Notes: %1</translation>
    </message>
    <message>
        <source>Создан: %1, %2</source>
        <translation>Created: %1, %2</translation>
    </message>
    <message>
        <source>Изменен: %1, %2</source>
        <translation>Changed: %1, %2</translation>
    </message>
    <message>
        <source>Файл %1 не сохранен: %2</source>
        <translation>File %1 not saved: %2</translation>
    </message>
    <message>
        <source>Книга выгружена в %1: объектов %2, приборов %3, визитов %4</source>
        <translation>Book exported to %1: %2 sites, %3 devices, %4 visits</translation>
    </message>
    <message>
        <source>Файл %1 не прочитан: %2</source>
        <translation>File %1 not read: %2</translation>
    </message>
    <message>
        <source>Файл %1 не импортирован, книга не изменена: %2</source>
        <translation>File %1 not imported, the book is unchanged: %2</translation>
    </message>
    <message>
        <source>Прибор %1 не привязан: %2</source>
        <translation>Device %1 not attached: %2</translation>
    </message>
    <message>
        <source>Прибор %1 привязан к объекту %2</source>
        <translation>Device %1 attached to site %2</translation>
    </message>
    <message>
        <source>У порта %1 нет серийного номера USB: прибор за ним нельзя узнать. Привяжите мост по номеру: site attach НАЗВАНИЕ --serial НОМЕР</source>
        <translation>Port %1 has no USB serial number: the device behind it cannot be recognised. Attach the bridge by its number: site attach NAME --serial NUMBER</translation>
    </message>
    <message>
        <source>Книга объектов не задана</source>
        <translation>No site book is set</translation>
    </message>
    <message>
        <source>Новая книга не начата: %1</source>
        <translation>No new book started: %1</translation>
    </message>
    <message>
        <source>Прежняя книга отложена: %1</source>
        <translation>The previous book is kept aside: %1</translation>
    </message>
    <message>
        <source>Начата новая книга объектов: %1</source>
        <translation>A new site book is started: %1</translation>
    </message>
    <message>
        <source>параметр --device есть только у команды visits</source>
        <translation>--device belongs to visits only</translation>
    </message>
    <message>
        <source>параметр --site есть только у команд visits, read-settings, write-settings и write-firmware</source>
        <translation>--site belongs to visits, read-settings, write-settings and write-firmware only</translation>
    </message>
    <message>
        <source>Объекта %1 нет в книге (--site)</source>
        <translation>There is no site %1 in the book (--site)</translation>
    </message>
</context>
<context>
    <name>ConfiguratorApp</name>
    <message>
        <source>Велор 580</source>
        <translation>Velor 580</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>линия разорвана</source>
        <translation>the line was hung up</translation>
    </message>
    <message>
        <source>Связь с прибором %1 потеряна (%2). Операция прервана: проверьте кабель и установите связь заново.</source>
        <translation>Lost the connection to the device %1 (%2). The operation was stopped: check the cable and connect again.</translation>
    </message>
</context>
<context>
    <name>DeviceRecognition</name>
    <message>
        <source>Изменения с последнего визита</source>
        <translation>Changes since the last visit</translation>
    </message>
    <message>
        <source>Последний визит: %1, %2. Изменено полей: %3</source>
        <translation>Last visit: %1, %2. Fields changed: %3</translation>
    </message>
    <message>
        <source>При последнем визите</source>
        <translation>At the last visit</translation>
    </message>
    <message>
        <source>Сейчас в приборе</source>
        <translation>Now in the device</translation>
    </message>
</context>
<context>
    <name>FirmwareCheck</name>
    <message>
        <source>файл поврежден или это не файл ПО прибора (%1 байт, меньше заголовка и конца файла ПО: %2 байт)</source>
        <translation>the file is damaged or is not a firmware file of the device (%1 bytes, fewer than the firmware's header and trailing bytes: %2 bytes)</translation>
    </message>
    <message>
        <source>%1 байт: %2 блоков, а число блоков должно уместиться в 16 бит (не больше %3)</source>
        <translation>%1 bytes: %2 blocks, but the block count must fit 16 bits (at most %3)</translation>
    </message>
    <message>
        <source>файл поврежден или это не файл ПО прибора (%1 байт, а данные ПО идут целыми блоками по %2 байта)</source>
        <translation>the file is damaged or is not a firmware file of the device (%1 bytes, while firmware data come in whole %2-byte blocks)</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>← Назад</source>
        <translation>← Back</translation>
    </message>
    <message>
        <source>Вперед →</source>
        <translation>Forward →</translation>
    </message>
    <message>
        <source>&amp;Найти:</source>
        <translation>&amp;Find:</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>История записей</source>
        <translation>Write history</translation>
    </message>
    <message>
        <source>Настройки, которые были в приборе перед каждой записью (новые сверху):</source>
        <translation>The settings the device held before each write (newest first):</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Отпечаток</source>
        <translation>Fingerprint</translation>
    </message>
    <message>
        <source>Показывать изменения перед каждой записью</source>
        <translation>Show the changes before every write</translation>
    </message>
    <message>
        <source>&amp;Показать</source>
        <translation>&amp;Show</translation>
    </message>
    <message>
        <source>&amp;Сравнить с окном</source>
        <translation>&amp;Compare with the window</translation>
    </message>
    <message>
        <source>&amp;Загрузить в окно</source>
        <translation>&amp;Load into the window</translation>
    </message>
    <message>
        <source>Сохранить &amp;как...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>З&amp;акрыть</source>
        <translation>C&amp;lose</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Автоматически</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Первый мост FTDI, который находит система</source>
        <translation>The first FTDI bridge the system finds</translation>
    </message>
    <message>
        <source>без серийного номера</source>
        <translation>no serial number</translation>
    </message>
    <message>
        <source>%1 · %2 · %3</source>
        <translation>%1 · %2 · %3</translation>
    </message>
    <message>
        <source>USB %1</source>
        <translation>USB %1</translation>
    </message>
    <message>
        <source>Порт, выбранный по пути</source>
        <translation>A port chosen by its path</translation>
    </message>
    <message>
        <source>Другой порт…</source>
        <translation>Other port…</translation>
    </message>
    <message>
        <source>Указать путь к порту, например терминал имитатора прибора</source>
        <translation>Give the port's path, e.g. the terminal of the device simulator</translation>
    </message>
</context>
<context>
    <name>PortLock</name>
    <message>
        <source>Порт %1 занят другой программой</source>
        <translation>Port %1 is in use by another program</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>это не обычный файл (устройство, канал или сокет)</source>
        <translation>not a regular file (a device, FIFO or socket)</translation>
    </message>
</context>
<context>
    <name>ReportPreview</name>
    <message>
        <source>Сохранить отчёт в PDF</source>
        <translation>Save the report as PDF</translation>
    </message>
    <message>
        <source>Документы PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>страницы отчёта не построены</source>
        <translation>the report&apos;s pages could not be laid out</translation>
    </message>
    <message>
        <source>Отчёт не сохранён в %1: %2</source>
        <translation>The report was not saved to %1: %2</translation>
    </message>
    <message>
        <source>Сохранить PDF…</source>
        <translation>Save PDF…</translation>
    </message>
</context>
<context>
    <name>SettingsFields</name>
    <message>
        <source>окно всегда записывает режим линии расширения «Ведущий»</source>
        <translation>the window always writes the expansion line mode “Master”</translation>
    </message>
    <message>
        <source>прибор хранит не больше 28 ключей; окно читает первые 28</source>
        <translation>the device holds at most 28 keys; the window reads the first 28</translation>
    </message>
    <message>
        <source>запись за пределами числа ключей; окно записывает её нулями</source>
        <translation>a record beyond the key count; the window writes it as zeros</translation>
    </message>
    <message>
        <source>резервные биты; окно записывает их нулями</source>
        <translation>reserved bits; the window writes them as zeros</translation>
    </message>
    <message>
        <source>неизвестный режим работы; окно выбирает «Специальный»</source>
        <translation>unknown work mode; the window selects “Special”</translation>
    </message>
    <message>
        <source>в режимах «Взят/снят» и «Исполнительный» выход следует только за охранными ШС; окно снимает привязки пожарных ШС</source>
        <translation>in the modes “Armed/disarmed” and “Actuator” an output follows security loops only; the window removes the bindings of fire loops</translation>
    </message>
    <message>
        <source>в режиме «Специальный» постоянное размыкание исключает замыкание и длительность извещения</source>
        <translation>in the mode “Special” a constant opening rules out the closing time and the notification duration</translation>
    </message>
    <message>
        <source>в режиме «Специальный» постоянное замыкание исключает размыкание и длительность извещения</source>
        <translation>in the mode “Special” a constant closing rules out the opening time and the notification duration</translation>
    </message>
    <message>
        <source>в режиме «Специальный» длительность извещения задается, только когда заданы и размыкание, и замыкание на время</source>
        <translation>in the mode “Special” a notification duration needs both an opening and a closing time</translation>
    </message>
    <message>
        <source>время автоперевзятия должно быть больше задержки на вход ШС1 и ШС2, %1 с</source>
        <translation>the re-arm time must be longer than the entry delays of loops 1 and 2, %1 s</translation>
    </message>
    <message>
        <source>код 1 означает те же 5 с; окно записывает код 0</source>
        <translation>code 1 means the same 5 s; the window writes code 0</translation>
    </message>
    <message>
        <source>тот же код, что у ключа %1; окно сохраняет оба</source>
        <translation>the same code as key %1; the window keeps both</translation>
    </message>
    <message>
        <source>у ключа нет прав ни на взятие, ни на снятие; окно сохраняет его</source>
        <translation>the key may neither arm nor disarm; the window keeps it</translation>
    </message>
    <message>
        <source>%1 (код %2)</source>
        <translation>%1 (code %2)</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>с</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Режим внутреннего звукового оповещателя</source>
        <translation>Internal sounder mode</translation>
    </message>
    <message>
        <source>Длительность извещений внутреннего звукового оповещателя</source>
        <translation>Internal sounder notification duration</translation>
    </message>
    <message>
        <source>Тип выхода ТМ</source>
        <translation>TM output type</translation>
    </message>
    <message>
        <source>Блокирование кнопок</source>
        <translation>Button lock</translation>
    </message>
    <message>
        <source>Режим линии расширения</source>
        <translation>Expansion line mode</translation>
    </message>
    <message>
        <source>Время автоперевзятия</source>
        <translation>Re-arm time</translation>
    </message>
    <message>
        <source>ШС%1</source>
        <translation>Loop %1</translation>
    </message>
    <message>
        <source>Тип ШС</source>
        <translation>Loop type</translation>
    </message>
    <message>
        <source>Время интегрирования</source>
        <translation>Integration time</translation>
    </message>
    <message>
        <source>мс</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Задержка на вход</source>
        <translation>Entry delay</translation>
    </message>
    <message>
        <source>Задержка на выход</source>
        <translation>Exit delay</translation>
    </message>
    <message>
        <source>Задержка на реле на время входа</source>
        <translation>Relay delayed for the entry time</translation>
    </message>
    <message>
        <source>Тактика работы</source>
        <translation>Tactic</translation>
    </message>
    <message>
        <source>не выбран</source>
        <translation>none</translation>
    </message>
    <message>
        <source>неизвестный (%1)</source>
        <translation>unknown (%1)</translation>
    </message>
    <message>
        <source>Привязки к ШС</source>
        <translation>Loop bindings</translation>
    </message>
    <message>
        <source>Резервные биты</source>
        <translation>Reserved bits</translation>
    </message>
    <message>
        <source>Число ключей ТМ</source>
        <translation>Number of TM keys</translation>
    </message>
    <message>
        <source>Ключ %1</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <source>Запись %1 вне числа ключей</source>
        <translation>Record %1 beyond the key count</translation>
    </message>
</context>
<context>
    <name>SettingsHistory</name>
    <message>
        <source>Папка истории настроек не задана</source>
        <translation>No settings history folder is set</translation>
    </message>
    <message>
        <source>Не удалось создать папку истории &quot;%1&quot;: %2</source>
        <translation>Could not create the history folder &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>(нет записи .json рядом)</source>
        <translation>(no .json record beside it)</translation>
    </message>
    <message>
        <source>(файл изменен после сохранения)</source>
        <translation>(the file was changed after it was saved)</translation>
    </message>
    <message>
        <source>(файл не читается как файл настроек)</source>
        <translation>(the file does not read as a settings file)</translation>
    </message>
</context>
<context>
    <name>SiteBookWindow</name>
    <message>
        <source>Объекты</source>
        <translation>Sites</translation>
    </message>
    <message>
        <source>Поиск: название, адрес, телефон, серийный номер</source>
        <translation>Search: name, address, phone, serial number</translation>
    </message>
    <message>
        <source>Новый объект…</source>
        <translation>New site…</translation>
    </message>
    <message>
        <source>Привязать прибор %1</source>
        <translation>Attach device %1</translation>
    </message>
    <message>
        <source>Выбрать объект</source>
        <translation>Choose the site</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>New site</translation>
    </message>
    <message>
        <source>Название объекта:</source>
        <translation>Site name:</translation>
    </message>
    <message>
        <source>Книга объектов</source>
        <translation>Site book</translation>
    </message>
    <message>
        <source>Объект «%1» добавлен</source>
        <translation>Site &quot;%1&quot; added</translation>
    </message>
    <message>
        <source>Изменения сохранены</source>
        <translation>Changes saved</translation>
    </message>
</context>
<context>
    <name>SiteCard</name>
    <message>
        <source>чтение</source>
        <translation>read</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>write</translation>
    </message>
    <message>
        <source>прошивка</source>
        <translation>firmware</translation>
    </message>
    <message>
        <source>привязка</source>
        <translation>attach</translation>
    </message>
    <message>
        <source>✓ проверено</source>
        <translation>✓ verified</translation>
    </message>
    <message>
        <source>✗ не проверено %1</source>
        <translation>✗ not verified %1</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Последний раз</source>
        <translation>Last seen</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Контактное лицо:</source>
        <translation>Contact person:</translation>
    </message>
    <message>
        <source>Телефон:</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>Примечания:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Визиты</source>
        <translation>Visits</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Техник</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Отпечатки</source>
        <translation>Fingerprints</translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation>Verified</translation>
    </message>
    <message>
        <source>Показать</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Сравнить с окном</source>
        <translation>Compare with the window</translation>
    </message>
    <message>
        <source>Загрузить в окно</source>
        <translation>Load into the window</translation>
    </message>
    <message>
        <source>Сохранить в файл…</source>
        <translation>Save to a file…</translation>
    </message>
    <message>
        <source>Книга объектов</source>
        <translation>Site book</translation>
    </message>
    <message>
        <source>Визит %1, %2: %3</source>
        <translation>Visit %1, %2: %3</translation>
    </message>
    <message>
        <source>Отпечаток: %1</source>
        <translation>Fingerprint: %1</translation>
    </message>
    <message>
        <source>Настроек в этом визите нет</source>
        <translation>This visit holds no settings</translation>
    </message>
    <message>
        <source>визит %1, %2</source>
        <translation>visit %1, %2</translation>
    </message>
</context>
<context>
    <name>SitePanel</name>
    <message>
        <source>Прежних визитов к прибору нет</source>
        <translation>No earlier visits to this device</translation>
    </message>
    <message>
        <source>С последнего визита (%1, %2) изменений нет</source>
        <translation>No changes since the last visit (%1, %2)</translation>
    </message>
    <message>
        <source>С последнего визита изменено полей: %1</source>
        <translation>Fields changed since the last visit: %1</translation>
    </message>
    <message>
        <source>Изменения…</source>
        <translation>Changes…</translation>
    </message>
    <message>
        <source>Привязать к объекту…</source>
        <translation>Attach to a site…</translation>
    </message>
    <message>
        <source>Выбрать объект…</source>
        <translation>Choose a site…</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Site: %1</translation>
    </message>
    <message>
        <source>Прибор %1 не привязан к объекту</source>
        <translation>Device %1 is attached to no site</translation>
    </message>
    <message>
        <source>Порт без серийного номера: объект не выбран</source>
        <translation>Port without a serial number: no site chosen</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Файл настроек программы был поврежден: он сохранен как %1, настройки программы начаты заново</source>
        <translation>The program&apos;s settings file was damaged: it was kept as %1, and the program&apos;s settings start afresh</translation>
    </message>
</context>
<context>
    <name>StrToInt</name>
    <message>
        <source>&apos;&apos;%1&apos;&apos; не является целым числом</source>
        <translation>&apos;&apos;%1&apos;&apos; is not a valid integer value</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>Операция не разрешена</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Нет такого файла или папки</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Нет такого устройства или адреса</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>Неверный дескриптор файла</source>
        <translation>Bad file descriptor</translation>
    </message>
    <message>
        <source>Ресурс временно недоступен</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>Не хватает памяти</source>
        <translation>Cannot allocate memory</translation>
    </message>
    <message>
        <source>Отказано в доступе</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Устройство или ресурс занято</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Файл уже существует</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>Нет такого устройства</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Это не папка</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>Это папка</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>Недопустимый аргумент</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>Слишком много открытых файлов в системе</source>
        <translation>Too many open files in system</translation>
    </message>
    <message>
        <source>Слишком много открытых файлов</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Неподходящий ioctl для устройства</source>
        <translation>Inappropriate ioctl for device</translation>
    </message>
    <message>
        <source>Текстовый файл занят</source>
        <translation>Text file busy</translation>
    </message>
    <message>
        <source>Файл слишком велик</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>На устройстве не осталось свободного места</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>Файловая система доступна только для чтения</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>Обрыв канала</source>
        <translation>Broken pipe</translation>
    </message>
    <message>
        <source>Слишком длинное имя файла</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Слишком много уровней символических ссылок</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Устаревший дескриптор файла</source>
        <translation>Stale file handle</translation>
    </message>
    <message>
        <source>Прерван системный вызов</source>
        <translation>Interrupted system call</translation>
    </message>
    <message>
        <source>Время ожидания истекло</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <source>Значение слишком велико для типа данных</source>
        <translation>Value too large for defined data type</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Программа настройки прибора 580 в автономном режиме</source>
        <translation>Configuration program for the 580 device in stand-alone mode</translation>
    </message>
    <message>
        <source>Версия %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Для начала работы с программой выберите в меню &lt;Режим работы&gt; нужный (меню справа --&gt;)</source>
        <translation>To begin, choose the required mode in the &lt;Work mode&gt; menu (menu on the right --&gt;)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TLaLanguageDialog</name>
    <message>
        <source>Select language</source>
        <translation>Select language</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Техник</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>Ваше имя для визитов в книге объектов:</source>
        <translation>Your name for the visits in the site book:</translation>
    </message>
    <message>
        <source>Книга объектов не задана</source>
        <translation>No site book is set</translation>
    </message>
    <message>
        <source>Настройки визита загружаются в окно в режимах «Смена настроек» и «Демо-режим»</source>
        <translation>A visit&apos;s settings are loaded into the window in the work modes &quot;Change settings&quot; and &quot;Demo mode&quot;</translation>
    </message>
    <message>
        <source>В окно загружены настройки: %1</source>
        <translation>Settings loaded into the window: %1</translation>
    </message>
    <message>
        <source>Объ&amp;екты</source>
        <translation>Sit&amp;es</translation>
    </message>
    <message>
        <source>Отч&amp;ёт</source>
        <translation>Rep&amp;ort</translation>
    </message>
    <message>
        <source>Считать ТМ можно только при связи с прибором в режиме «Смена настроек»</source>
        <translation>&quot;Read TM&quot; works only while a device is connected in &quot;Change settings&quot; mode</translation>
    </message>
    <message>
        <source>Щёлкните в поле кода ключа, в которое нужно считать ТМ</source>
        <translation>Click into the key code field the TM key is to be read into</translation>
    </message>
    <message>
        <source>Дождитесь окончания операции с прибором</source>
        <translation>Wait until the device operation has finished</translation>
    </message>
    <message>
        <source>Связи с прибором нет в этом режиме: выберите «Смена настроек» или «Смена ПО»</source>
        <translation>This mode has no device link: choose &quot;Change settings&quot; or &quot;Change firmware&quot;</translation>
    </message>
    <message>
        <source>Файл ПО принят: %1</source>
        <translation>Firmware file accepted: %1</translation>
    </message>
    <message>
        <source>Настройки программы не сохраняются: нет записи в %1</source>
        <translation>The program&apos;s settings are not kept: cannot write %1</translation>
    </message>
    <message>
        <source>Сохранение в файл доступно в демо-режиме и при связи с прибором в режиме «Смена настроек»</source>
        <translation>Saving to a file works in demo mode and while a device is connected in &quot;Change settings&quot; mode</translation>
    </message>
    <message>
        <source>Загрузка из файла доступна в демо-режиме и при связи с прибором</source>
        <translation>Loading from a file works in demo mode and while a device is connected</translation>
    </message>
    <message>
        <source>&amp;Установить</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>Разор&amp;вать</source>
        <translation>&amp;Disconnect</translation>
    </message>
    <message>
        <source>&amp;Записать в</source>
        <translation>&amp;Write to</translation>
    </message>
    <message>
        <source>С&amp;читать из</source>
        <translation>&amp;Read from</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>За&amp;грузить</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>Завод. &amp;настр.</source>
        <translation>&amp;Factory set.</translation>
    </message>
    <message>
        <source>Считать &amp;ТМ</source>
        <translation>Read &amp;TM</translation>
    </message>
    <message>
        <source>&amp;Help  </source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;О программе</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Select &amp;language</source>
        <translation>Select lan&amp;guage</translation>
    </message>
    <message>
        <source>Порт связи</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Режим работы:</source>
        <translation>Work mode:</translation>
    </message>
    <message>
        <source>Связь</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Смена настроек</source>
        <translation>Change settings</translation>
    </message>
    <message>
        <source>Смена ПО</source>
        <translation>Change firmware</translation>
    </message>
    <message>
        <source>Демо-режим</source>
        <translation>Demo mode</translation>
    </message>
    <message>
        <source>USB - порт</source>
        <translation>USB port</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> — добавьте своего пользователя в группу, которой принадлежит устройство (например, dialout), и войдите в систему заново</source>
        <translation> — add your user to the group that owns the device (for example, dialout) and log in again</translation>
    </message>
    <message>
        <source> — добавьте своего пользователя в группу %1 и войдите в систему заново</source>
        <translation> — add your user to the group %1 and log in again</translation>
    </message>
    <message>
        <source>Файлы конфигурации (*.cfg)</source>
        <translation>Configuration files (*.cfg)</translation>
    </message>
    <message>
        <source>Файлы прошивок (*.tsk)</source>
        <translation>Firmware files (*.tsk)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Тип подключенного устройства:</source>
        <translation>Connected device type:</translation>
    </message>
    <message>
        <source>Версия ПО устройства:</source>
        <translation>Device firmware version:</translation>
    </message>
    <message>
        <source>Имя файла обновления:</source>
        <translation>Update file name:</translation>
    </message>
    <message>
        <source>Тип файла обновления:</source>
        <translation>Update file type:</translation>
    </message>
    <message>
        <source>Размер файла обновления (байт):</source>
        <translation>Update file size (bytes):</translation>
    </message>
    <message>
        <source>Дата файла обновления:</source>
        <translation>Update file date:</translation>
    </message>
    <message>
        <source>Версия ПО файла обновления:</source>
        <translation>Update file firmware version:</translation>
    </message>
    <message>
        <source>Двойная сработка</source>
        <translation>Double trigger</translation>
    </message>
    <message>
        <source>Тихая тревога</source>
        <translation>Silent alarm</translation>
    </message>
    <message>
        <source>Автоперевзятие</source>
        <translation>Auto re-arm</translation>
    </message>
    <message>
        <source>Круглосуточно</source>
        <translation>24-hour</translation>
    </message>
    <message>
        <source>Проходная зона</source>
        <translation>Walk-through zone</translation>
    </message>
    <message>
        <source>70</source>
        <translation>70</translation>
    </message>
    <message>
        <source>300</source>
        <translation>300</translation>
    </message>
    <message>
        <source>Да </source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Закрытая дверь</source>
        <translation>Closed door</translation>
    </message>
    <message>
        <source>Любая дверь</source>
        <translation>Any door</translation>
    </message>
    <message>
        <source>Тип ШС:</source>
        <translation>Loop type:</translation>
    </message>
    <message>
        <source>пожарный</source>
        <translation>fire</translation>
    </message>
    <message>
        <source>охранный</source>
        <translation>security</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Integration</translation>
    </message>
    <message>
        <source>интегрирования </source>
        <translation>time</translation>
    </message>
    <message>
        <source>ШС%1</source>
        <translation>L%1</translation>
    </message>
    <message>
        <source>Задержка </source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>вход/выход </source>
        <translation>entry/exit</translation>
    </message>
    <message>
        <source>[0 сек-255 сек]</source>
        <translation>[0 s-255 s]</translation>
    </message>
    <message>
        <source>Задержка на</source>
        <translation>Relay</translation>
    </message>
    <message>
        <source>реле на время</source>
        <translation>delayed for the</translation>
    </message>
    <message>
        <source>входа</source>
        <translation>entry time</translation>
    </message>
    <message>
        <source>Тактика работы </source>
        <translation>Tactic</translation>
    </message>
    <message>
        <source>Вход</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>(сек)</source>
        <translation>(s)</translation>
    </message>
    <message>
        <source>Вых</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>с</source>
        <translation>s</translation>
    </message>
    <message>
        <source>[5с-21м]</source>
        <translation>[5 s-21 min]</translation>
    </message>
    <message>
        <source>Программа настройки прибора 580 в автономном режиме</source>
        <translation>Configuration program for the 580 device in stand-alone mode</translation>
    </message>
    <message>
        <source>  Главная  </source>
        <translation>  Main  </translation>
    </message>
    <message>
        <source>  Настройки ШС </source>
        <translation>  Loop settings </translation>
    </message>
    <message>
        <source>Режимы реле и выходов ОК</source>
        <translation>Relay and OC output modes</translation>
    </message>
    <message>
        <source>Идентификаторы ТМ</source>
        <translation>TM identifiers</translation>
    </message>
    <message>
        <source>Все извещения</source>
        <translation>All notifications</translation>
    </message>
    <message>
        <source>Только тревога</source>
        <translation>Alarm only</translation>
    </message>
    <message>
        <source>Идентификатор ТМ</source>
        <translation>TM identifier</translation>
    </message>
    <message>
        <source>Переключатель</source>
        <translation>Switch</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ведомый</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Ведущий</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>1200 бод</source>
        <translation>1200 baud</translation>
    </message>
    <message>
        <source>4800 бод</source>
        <translation>4800 baud</translation>
    </message>
    <message>
        <source>Режим внутреннего звукового оповещателя: </source>
        <translation>Internal sounder mode: </translation>
    </message>
    <message>
        <source>Тип выхода ТМ:</source>
        <translation>TM output type:</translation>
    </message>
    <message>
        <source>Блокирование кнопок:</source>
        <translation>Button lock:</translation>
    </message>
    <message>
        <source>Режим линии расширения: </source>
        <translation>Expansion line mode: </translation>
    </message>
    <message>
        <source>Скорость линии расширения:</source>
        <translation>Expansion line speed:</translation>
    </message>
    <message>
        <source>Длительность извещений внутреннего звукового</source>
        <translation>Internal sounder notification duration</translation>
    </message>
    <message>
        <source>(1 сек--21 мин)</source>
        <translation>(1 s--21 min)</translation>
    </message>
    <message>
        <source>Номер ПКП:</source>
        <translation>Panel number:</translation>
    </message>
    <message>
        <source>Тип прибора:</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <source>Версия ПО прибора:</source>
        <translation>Device firmware version:</translation>
    </message>
    <message>
        <source>ВЕЛОР</source>
        <translation>VELOR</translation>
    </message>
    <message>
        <source>ПЦН тревога</source>
        <translation>CMS alarm</translation>
    </message>
    <message>
        <source>Контр. лампа</source>
        <translation>Indicator lamp</translation>
    </message>
    <message>
        <source>Взят/снят ( для охранного ШС)</source>
        <translation>Armed/disarmed (security loops)</translation>
    </message>
    <message>
        <source>Звуковой</source>
        <translation>Sounder</translation>
    </message>
    <message>
        <source>Тревога</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Исполнительный   ( для охранного ШС)</source>
        <translation>Actuator (security loops)</translation>
    </message>
    <message>
        <source>Специальный</source>
        <translation>Special</translation>
    </message>
    <message>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <source>0.5 сек</source>
        <translation>0.5 s</translation>
    </message>
    <message>
        <source>1 сек</source>
        <translation>1 s</translation>
    </message>
    <message>
        <source>5 сек</source>
        <translation>5 s</translation>
    </message>
    <message>
        <source>10 сек</source>
        <translation>10 s</translation>
    </message>
    <message>
        <source>20 сек</source>
        <translation>20 s</translation>
    </message>
    <message>
        <source>30 сек</source>
        <translation>30 s</translation>
    </message>
    <message>
        <source>пост.</source>
        <translation>cont.</translation>
    </message>
    <message>
        <source>40 сек</source>
        <translation>40 s</translation>
    </message>
    <message>
        <source>1 мин</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>1 м 20 с</source>
        <translation>1 min 20 s</translation>
    </message>
    <message>
        <source>1 м 40 с</source>
        <translation>1 min 40 s</translation>
    </message>
    <message>
        <source>2 мин </source>
        <translation>2 min</translation>
    </message>
    <message>
        <source>2 м 20 с</source>
        <translation>2 min 20 s</translation>
    </message>
    <message>
        <source>2 м 40 с</source>
        <translation>2 min 40 s</translation>
    </message>
    <message>
        <source>3 мин </source>
        <translation>3 min</translation>
    </message>
    <message>
        <source>3 м 20 с</source>
        <translation>3 min 20 s</translation>
    </message>
    <message>
        <source>3 м 40 с</source>
        <translation>3 min 40 s</translation>
    </message>
    <message>
        <source>4 мин </source>
        <translation>4 min</translation>
    </message>
    <message>
        <source>4 м 20 с</source>
        <translation>4 min 20 s</translation>
    </message>
    <message>
        <source>4 м 40 с</source>
        <translation>4 min 40 s</translation>
    </message>
    <message>
        <source>нет </source>
        <translation>no</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Размыкание на время</source>
        <translation>Open for</translation>
    </message>
    <message>
        <source>Замыкание на время</source>
        <translation>Close for</translation>
    </message>
    <message>
        <source>Длительность извещения </source>
        <translation>Notification duration</translation>
    </message>
    <message>
        <source>Инверсный режим</source>
        <translation>Inverted mode</translation>
    </message>
    <message>
        <source>Тревога/пожар</source>
        <translation>Alarm/fire</translation>
    </message>
    <message>
        <source>Неисправность пожарного ШС</source>
        <translation>Fire loop fault</translation>
    </message>
    <message>
        <source>Внимание для пожарного ШС</source>
        <translation>Fire loop attention</translation>
    </message>
    <message>
        <source>Взятие по одному из ШС/Снятие </source>
        <translation>Arming of any loop/disarming</translation>
    </message>
    <message>
        <source>Взятие по всем ШС/Снятие </source>
        <translation>Arming of all loops/disarming</translation>
    </message>
    <message>
        <source>Вскрытие корпуса</source>
        <translation>Enclosure tamper</translation>
    </message>
    <message>
        <source>Неисправность питания</source>
        <translation>Power fault</translation>
    </message>
    <message>
        <source>Реле №1</source>
        <translation>Relay 1</translation>
    </message>
    <message>
        <source>Реле №2</source>
        <translation>Relay 2</translation>
    </message>
    <message>
        <source>OK №1</source>
        <translation>OC 1</translation>
    </message>
    <message>
        <source>OK №2</source>
        <translation>OC 2</translation>
    </message>
    <message>
        <source>Режим работы</source>
        <translation>Work mode</translation>
    </message>
    <message>
        <source>Привязки к ШС:</source>
        <translation>Loop bindings:</translation>
    </message>
    <message>
        <source>Обрабатываемые извещения</source>
        <translation>Processed notifications</translation>
    </message>
    <message>
        <source>Полномочия идентификаторов</source>
        <translation>Identifier rights</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Код ТМ</source>
        <translation>TM code</translation>
    </message>
    <message>
        <source>Взятие </source>
        <translation>Arming</translation>
    </message>
    <message>
        <source>Снятие</source>
        <translation>Disarming</translation>
    </message>
    <message>
        <source>&lt;- - - - Взятие/снятие одним ключом ТМ ( для всех ключей сразу )</source>
        <translation>&lt;- - - - Arm/disarm with one TM key (for all keys at once)</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>Взятие/снятие одним ключом ТМ</source>
        <translation>Arm/disarm with one TM key</translation>
    </message>
    <message>
        <source>%1, версия ПО %2</source>
        <translation>%1, firmware version %2</translation>
    </message>
    <message>
        <source>Отпечаток: %1</source>
        <translation>Fingerprint: %1</translation>
    </message>
    <message>
        <source>Нет изменений: в окне те же настройки, что в снимке</source>
        <translation>No changes: the window holds the same settings as the snapshot</translation>
    </message>
    <message>
        <source>Снимок → окно, различающихся полей: %1</source>
        <translation>Snapshot → window, fields that differ: %1</translation>
    </message>
    <message>
        <source>Снимок загружается в окно в режимах «Смена настроек» и «Демо-режим»</source>
        <translation>A snapshot is loaded into the window in the work modes &quot;Change settings&quot; and &quot;Demo mode&quot;</translation>
    </message>
    <message>
        <source>В окно загружен снимок %1</source>
        <translation>Snapshot %1 loaded into the window</translation>
    </message>
    <message>
        <source>Запись отменена: настройки прибора не прочитаны</source>
        <translation>Write cancelled: the device&apos;s settings could not be read</translation>
    </message>
    <message>
        <source>Запись отменена: в прибор ничего не записано</source>
        <translation>Write cancelled: nothing was written to the device</translation>
    </message>
    <message>
        <source>Настройки записаны, но не проверены: нет связи с прибором</source>
        <translation>Settings written but not verified: no link to the device</translation>
    </message>
    <message>
        <source>Настройки записаны, но не проверены: не удалось прочитать их из прибора</source>
        <translation>Settings written but not verified: they could not be read back from the device</translation>
    </message>
    <message>
        <source>Запись настроек проверена: прибор хранит записанное (отпечаток %1)</source>
        <translation>Settings write verified: the device holds what was written (fingerprint %1)</translation>
    </message>
    <message>
        <source>Прибор сохранил не то, что было записано</source>
        <translation>The device kept other settings than those written</translation>
    </message>
    <message>
        <source>Прежние настройки прибора сохранены: %1</source>
        <translation>The device&apos;s previous settings are kept in: %1</translation>
    </message>
    <message>
        <source>&amp;Прошить</source>
        <translation>&amp;Flash</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Файл: %1
Размер: %2 байт
Тип устройства: %3, платформа: %4
Отпечаток файла: %5

Подключенный прибор: тип %6, версия ПО %7

Записать это ПО в прибор?</source>
        <translation>File: %1
Size: %2 bytes
Device type: %3, platform: %4
File fingerprint: %5

Connected device: type %6, firmware version %7

Write this firmware to the device?</translation>
    </message>
    <message>
        <source>Смена ПО отменена: в прибор ничего не записано</source>
        <translation>Firmware change cancelled: nothing was written to the device</translation>
    </message>
    <message>
        <source>Прежние настройки прибора не сохранены в историю: %1
Запись не начата: без снимка ее нельзя было бы отменить.</source>
        <translation>The device&apos;s previous settings could not be saved to the history: %1
The write did not start: without a snapshot it could not be undone.</translation>
    </message>
    <message>
        <source>Запись отменена: снимок настроек прибора не сохранен</source>
        <translation>Write cancelled: the snapshot of the device&apos;s settings was not saved</translation>
    </message>
    <message>
        <source>&amp;История</source>
        <translation>H&amp;istory</translation>
    </message>
    <message>
        <source>Порт связи: автоматически, первый мост FTDI</source>
        <translation>Port: automatic, the first FTDI bridge</translation>
    </message>
    <message>
        <source>Порт связи: %1</source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source>Другой порт</source>
        <translation>Other port</translation>
    </message>
    <message>
        <source>Путь к порту (например, терминал имитатора прибора /dev/pts/5):</source>
        <translation>Path of the port (e.g. the device simulator's terminal /dev/pts/5):</translation>
    </message>
    <message>
        <source>%1 Подключите прибор и нажмите «Установить».</source>
        <translation>%1 Connect the device and press &quot;Connect&quot;.</translation>
    </message>
    <message>
        <source>%1: прибор на %2 не отвечает</source>
        <translation>%1: the device on %2 does not answer</translation>
    </message>
    <message>
        <source>Настройки загружены из файла %1</source>
        <translation>Settings loaded from the file %1</translation>
    </message>
    <message>
        <source>Сохранить изменения в файл?</source>
        <translation>Save the changes to a file?</translation>
    </message>
    <message>
        <source>&amp;Не сохранять</source>
        <translation>Do&amp;n&apos;t Save</translation>
    </message>
    <message>
        <source>Нечего отменять</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>Прежние настройки возвращены в окно</source>
        <translation>The previous settings are back in the window</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Нет недавних файлов</source>
        <translation>No recent files</translation>
    </message>
    <message>
        <source>Файл настроек загружается в режимах «Смена настроек» и «Демо-режим»</source>
        <translation>A settings file is loaded in the modes "Change settings" and "Demo mode"</translation>
    </message>
    <message>
        <source>Файл ПО загружается в режиме «Смена ПО»</source>
        <translation>A firmware file is loaded in the mode "Change firmware"</translation>
    </message>
    <message>
        <source>Файл ПО %1 будет проверен после подключения прибора: нажмите «Установить»</source>
        <translation>The firmware file %1 will be checked once the device is connected: press "Connect"</translation>
    </message>
</context>
<context>
    <name>VisitReport</name>
    <message>
        <source>Техник</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Контактное лицо</source>
        <translation>Contact person</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Версия ПО прибора</source>
        <translation>Device firmware version</translation>
    </message>
    <message>
        <source>Серийный номер USB</source>
        <translation>USB serial number</translation>
    </message>
    <message>
        <source>Дата и время</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Программа</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>записаны в прибор и проверены чтением</source>
        <translation>written to the device and verified by reading back</translation>
    </message>
    <message>
        <source>записаны в прибор, не проверены чтением</source>
        <translation>written to the device, not verified by reading back</translation>
    </message>
    <message>
        <source>не записывались</source>
        <translation>not written</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Как найдено: отпечаток</source>
        <translation>As found: fingerprint</translation>
    </message>
    <message>
        <source>Как оставлено: отпечаток</source>
        <translation>As left: fingerprint</translation>
    </message>
    <message>
        <source>Изменённые поля</source>
        <translation>Changed fields</translation>
    </message>
    <message>
        <source>Изменений нет.</source>
        <translation>No changes.</translation>
    </message>
    <message>
        <source>Поле</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Как найдено</source>
        <translation>As found</translation>
    </message>
    <message>
        <source>Как оставлено</source>
        <translation>As left</translation>
    </message>
    <message>
        <source>Замечания проверки</source>
        <translation>Check warnings</translation>
    </message>
    <message>
        <source>Настройки, отличные от заводских</source>
        <translation>Settings that differ from the factory settings</translation>
    </message>
    <message>
        <source>Все настройки</source>
        <translation>All settings</translation>
    </message>
    <message>
        <source>Все настройки совпадают с заводскими.</source>
        <translation>All settings equal the factory settings.</translation>
    </message>
    <message>
        <source>Подписи</source>
        <translation>Signatures</translation>
    </message>
    <message>
        <source>Техник:</source>
        <translation>Technician:</translation>
    </message>
    <message>
        <source>Заказчик:</source>
        <translation>Customer:</translation>
    </message>
    <message>
        <source>Отчёт о визите</source>
        <translation>Visit report</translation>
    </message>
    <message>
        <source>Отпечаток настроек %1</source>
        <translation>Settings fingerprint %1</translation>
    </message>
    <message>
        <source>стр. %1 из %2</source>
        <translation>page %1 of %2</translation>
    </message>
</context>
<context>
    <name>WriteReviewDialog</name>
    <message>
        <source>Поле</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>В приборе</source>
        <translation>In the device</translation>
    </message>
    <message>
        <source>Будет записано</source>
        <translation>To be written</translation>
    </message>
    <message>
        <source>Проверка перед записью</source>
        <translation>Review before writing</translation>
    </message>
    <message>
        <source>Прибор: %1
Отпечаток настроек прибора: %2, новых: %3</source>
        <translation>Device: %1
Fingerprint of the device&apos;s settings: %2, of the new ones: %3</translation>
    </message>
    <message>
        <source>Нет изменений</source>
        <translation>No changes</translation>
    </message>
    <message>
        <source>Изменений: %1</source>
        <translation>Changes: %1</translation>
    </message>
    <message>
        <source>Больше не показывать этот список перед записью</source>
        <translation>Do not show this list before writing again</translation>
    </message>
    <message>
        <source>&amp;Записать</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Предупреждения проверки (%1):</source>
        <translation>Warnings of the check (%1):</translation>
    </message>
</context>
<context>
    <name>SiteBook</name>
    <message>
        <source>не объект JSON</source>
        <translation>not a JSON object</translation>
    </message>
    <message>
        <source>поле %1 должно быть строкой</source>
        <translation>field %1 must be a string</translation>
    </message>
    <message>
        <source>поле %1 не может быть пустым</source>
        <translation>field %1 cannot be empty</translation>
    </message>
    <message>
        <source>поле %1 должно быть числом</source>
        <translation>field %1 must be a number</translation>
    </message>
    <message>
        <source>поле %1 -- не время ISO 8601</source>
        <translation>field %1 is not an ISO 8601 time</translation>
    </message>
    <message>
        <source>поле %1 должно содержать 514 шестнадцатеричных цифр</source>
        <translation>field %1 must hold 514 hexadecimal digits</translation>
    </message>
    <message>
        <source>поле %1 должно быть true, false или null</source>
        <translation>field %1 must be true, false or null</translation>
    </message>
    <message>
        <source>неизвестное действие в поле action</source>
        <translation>unknown action in field action</translation>
    </message>
    <message>
        <source>поле %1 должно быть списком</source>
        <translation>field %1 must be a list</translation>
    </message>
    <message>
        <source>не документ JSON: %1 (смещение %2)</source>
        <translation>not a JSON document: %1 (offset %2)</translation>
    </message>
    <message>
        <source>это не выгрузка книги объектов (нет &quot;format&quot;: &quot;%1&quot;)</source>
        <translation>this is not a site book export (no &quot;format&quot;: &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>выгрузка сделана более новой версией программы (формат %1)</source>
        <translation>the export was made by a newer version of the program (format %1)</translation>
    </message>
    <message>
        <source>объект %1</source>
        <translation>site %1</translation>
    </message>
    <message>
        <source>прибор %1</source>
        <translation>device %1</translation>
    </message>
    <message>
        <source>визит %1</source>
        <translation>visit %1</translation>
    </message>
    <message>
        <source>из истории настроек: прибор %1, версия %2</source>
        <translation>from the settings history: device %1, version %2</translation>
    </message>
    <message>
        <source>это база данных другой программы, а не книга объектов</source>
        <translation>this is another program&apos;s database, not a site book</translation>
    </message>
    <message>
        <source>Книга объектов не задана</source>
        <translation>No site book is set</translation>
    </message>
    <message>
        <source>Книга объектов %1 не открывается: %2</source>
        <translation>The site book %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>Книга объектов %1 записана более новой версией программы (схема %2, эта версия знает %3): она открыта только для чтения, изменения и визиты в нее не записываются</source>
        <translation>The site book %1 was written by a newer version of the program (schema %2, this version knows %3): it is open read-only, changes and visits are not recorded in it</translation>
    </message>
    <message>
        <source>это не файл</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>файл поврежден или это не книга объектов (не база данных SQLite)</source>
        <translation>the file is damaged or is not a site book (not a SQLite database)</translation>
    </message>
    <message>
        <source>папку %1 нельзя создать</source>
        <translation>folder %1 cannot be created</translation>
    </message>
    <message>
        <source>Книга объектов %1 не открывается: нет драйвера SQLite (%2)</source>
        <translation>The site book %1 cannot be opened: no SQLite driver (%2)</translation>
    </message>
    <message>
        <source>объект &quot;%1&quot; уже есть в книге</source>
        <translation>site &quot;%1&quot; is already in the book</translation>
    </message>
    <message>
        <source>такого объекта нет в книге</source>
        <translation>there is no such site in the book</translation>
    </message>
    <message>
        <source>у объекта должно быть название</source>
        <translation>a site must have a name</translation>
    </message>
    <message>
        <source>Визит не записан в книгу объектов: %1</source>
        <translation>Visit not recorded in the site book: %1</translation>
    </message>
    <message>
        <source>запись не завершена</source>
        <translation>the write did not complete</translation>
    </message>
    <message>
        <source>прочитаны обратно другие настройки (%1)</source>
        <translation>other settings were read back (%1)</translation>
    </message>
    <message>
        <source>настройки не прочитаны обратно</source>
        <translation>the settings were not read back</translation>
    </message>
    <message>
        <source>ПО %1 → %2</source>
        <translation>firmware %1 → %2</translation>
    </message>
    <message>
        <source>ПО было %1</source>
        <translation>firmware was %1</translation>
    </message>
    <message>
        <source>файла %1 нет</source>
        <translation>there is no file %1</translation>
    </message>
    <message>
        <source>файл %1 нельзя переименовать</source>
        <translation>file %1 cannot be renamed</translation>
    </message>
</context>
</TS>
