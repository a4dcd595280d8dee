<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
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
</context>
<context>
    <name>FirmwareCheck</name>
    <message>
        <source>%1 байт: меньше %2 байт заголовка и конца файла</source>
        <translation>%1 bytes: fewer than the %2 bytes of header and trailing bytes</translation>
    </message>
    <message>
        <source>%1 байт: %2 блоков, а число блоков должно уместиться в 16 бит (не больше %3)</source>
        <translation>%1 bytes: %2 blocks, but the block count must fit 16 bits (at most %3)</translation>
    </message>
    <message>
        <source>%1 байт: данные не делятся на целые блоки по %2 байта</source>
        <translation>%1 bytes: the payload is not whole %2-byte blocks</translation>
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
    <name>Cli</name>
    <message>
        <source>неизвестная команда &quot;%1&quot;</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>после --port нужен путь к устройству</source>
        <translation>--port needs a device path</translation>
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
        <source>Вызов: velor580-cli [--port ПУТЬ] [--] КОМАНДА [ФАЙЛ]

Работает с прибором 580 через первый USB-последовательный мост FTDI или через
последовательное устройство ПУТЬ (например, псевдотерминал имитатора).

Команды:
  identify             вывести сведения о приборе:
                         type=&lt;n&gt; platform=&lt;n&gt; version=&lt;a&gt;_&lt;b&gt;_&lt;c&gt;
  read-settings OUT    прочитать настройки и сохранить их в файл .cfg; папка
                       файла проверяется до обращения к прибору
  write-settings IN    записать в прибор настройки из файла .cfg
  read-key             прочитать ключ, приложенный к считывателю; выводит его
                       идентификатор: 12 шестнадцатеричных цифр
  write-firmware IN    записать в прибор файл ПО (.tsk), проверив, что тип
                       прибора и платформа в файле совпадают с прибором

Параметры:
  --port ПУТЬ          последовательное устройство вместо моста FTDI
  -h, --help           эта справка
  --version            версия программы
  --                   конец параметров: дальше только команда и файл

Действуют проверки программы настройки: прибор должен быть моделью 580, а
настройки прибора, у которого первый байт версии равен 2 (система Велор-Ворсан),
не читаются и не изменяются. identify и write-firmware подключаются, как режим
смены ПО, и принимают такой прибор.

Результаты (сведения о приборе, идентификатор ключа) выводятся в стандартный
вывод; текст состояния каждого исхода, ход передачи и ошибки -- в стандартный
поток ошибок. Ход передачи обновляет одну строку в терминале и пишется по строке
на шаг в файл или канал.

Язык текстов -- тот, что выбран в программе настройки ([Language] Default в
velor580.INI), а если он там не задан -- язык системы (LC_ALL, LC_MESSAGES,
LANG). Библиотека языка (velor580.EN) берется из папки программы настройки.
Переменная VELOR580_LANGUAGE (например, EN) задает язык одного запуска.

Код завершения: 0 успех; 1 операция не выполнена или отклонена либо ее результат
не удалось вывести; 2 ошибка в командной строке; 3 не удалось открыть порт.
</source>
        <translation>Usage: velor580-cli [--port PATH] [--] COMMAND [FILE]

Works with a model-580 device over the first FTDI USB-serial bridge, or over the
serial device PATH (for example the simulator&apos;s pseudo-terminal).

Commands:
  identify             print the device&apos;s identity:
                         type=&lt;n&gt; platform=&lt;n&gt; version=&lt;a&gt;_&lt;b&gt;_&lt;c&gt;
  read-settings OUT    read the settings and save them as a .cfg file; the file&apos;s
                       folder is checked before the device is touched
  write-settings IN    write the settings of a .cfg file to the device
  read-key             read the key held to the reader; prints its identifier as
                       12 hexadecimal digits
  write-firmware IN    write a firmware file (.tsk) to the device, after checking
                       that its device type and platform are the device&apos;s

Options:
  --port PATH          a serial device instead of the FTDI bridge
  -h, --help           this help
  --version            the program&apos;s version
  --                   end of the options: only the command and file follow

The checks of the configurator apply: the device must be a model 580, and the
settings of a device whose first version byte is 2 (Velor-Vorsan system) are
neither read nor changed. identify and write-firmware connect as the firmware work
mode does and accept such a device.

Results (identity, key identifier) go to standard output; the status text of every
outcome, progress and errors go to standard error. Progress redraws one line on a
terminal and writes one line per step to a file or a pipe.

The texts follow the language chosen in the configurator ([Language] Default in
velor580.INI) or, when none is chosen there, the system&apos;s (LC_ALL, LC_MESSAGES,
LANG). The language library (velor580.EN) is taken from the configurator&apos;s folder.
The variable VELOR580_LANGUAGE (for example EN) sets the language of one run.

Exit status: 0 success; 1 the operation failed or was refused, or its result could
not be written; 2 bad command line; 3 the port could not be opened.
</translation>
    </message>
    <message>
        <source>Не подключен ни один USB-последовательный мост FTDI.</source>
        <translation>No FTDI USB-serial bridge is attached.</translation>
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
        <source>Считать ТМ можно только при связи с прибором в режиме «Смена настроек»</source>
        <translation>"Read TM" works only while a device is connected in "Change settings" mode</translation>
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
        <translation>This mode has no device link: choose "Change settings" or "Change firmware"</translation>
    </message>
    <message>
        <source>Файл ПО принят: %1</source>
        <translation>Firmware file accepted: %1</translation>
    </message>
    <message>
        <source>Настройки программы не сохраняются: нет записи в %1</source>
        <translation>The program's settings are not kept: cannot write %1</translation>
    </message>
    <message>
        <source>Сохранение в файл доступно в демо-режиме и при связи с прибором в режиме «Смена настроек»</source>
        <translation>Saving to a file works in demo mode and while a device is connected in "Change settings" mode</translation>
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
</context>
</TS>
