<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AnsiText</name>
    <message>
        <source>&quot;%1&quot; is not UTF-8 text</source>
        <translation>«%1» — не текст в UTF-8</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written in the ANSI code page %2</source>
        <translation>«%1» нельзя записать в кодовой странице ANSI %2</translation>
    </message>
</context>
<context>
    <name>CsvTableReader</name>
    <message>
        <source>has %1 fields where the header has %2; line skipped</source>
        <translation>полей %1, а в заголовке %2; строка пропущена</translation>
    </message>
    <message>
        <source>is empty; a header line was expected</source>
        <translation>файл пуст; ожидалась строка заголовка</translation>
    </message>
    <message>
        <source>the header lacks the column(s) %1; file not read</source>
        <translation>в заголовке нет столбцов %1; файл не прочитан</translation>
    </message>
</context>
<context>
    <name>FileBytes</name>
    <message>
        <source>is not a regular file (a pipe or a device?); not read</source>
        <translation>не обычный файл (канал или устройство?); не прочитан</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>не открывается: %1</translation>
    </message>
    <message>
        <source>is %1 bytes long, more than the %2 bytes accepted; not read</source>
        <translation>длина %1 байт, больше допустимых %2 байт; не прочитан</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>не читается: %1</translation>
    </message>
    <message>
        <source>grew while it was read; not read</source>
        <translation>вырос во время чтения; не прочитан</translation>
    </message>
    <message>
        <source>grew while it was read; read as far as its former length</source>
        <translation>вырос во время чтения; прочитан до прежней длины</translation>
    </message>
    <message>
        <source>is shorter than the %1 bytes read before</source>
        <translation>короче %1 байт, прочитанных раньше</translation>
    </message>
    <message>
        <source>cannot be written: %1</source>
        <translation>не записывается: %1</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>%1 races over %2 turns would be more than the %3 race turns the host charts of a game; line skipped</source>
        <translation>%1 рас за %2 ходов — больше %3 ходов рас, которые хост показывает для игры; строка пропущена</translation>
    </message>
</context>
<context>
    <name>GameFolderLoader</name>
    <message>
        <source>has no races.csv; not a game, skipped</source>
        <translation>нет races.csv; это не игра, пропущено</translation>
    </message>
    <message>
        <source>the race has no name; line skipped</source>
        <translation>у расы нет имени; строка пропущена</translation>
    </message>
    <message>
        <source>; line skipped</source>
        <translation>; строка пропущена</translation>
    </message>
    <message>
        <source>race &quot;%1&quot; is listed twice; line skipped</source>
        <translation>раса «%1» указана дважды; строка пропущена</translation>
    </message>
    <message>
        <source>race name %1; charted as &quot;%2&quot;</source>
        <translation>имя расы: %1; на графике — «%2»</translation>
    </message>
    <message>
        <source>colour &quot;%1&quot; of race &quot;%2&quot; is not #RRGGBB; the race has no colour</source>
        <translation>цвет «%1» расы «%2» — не #RRGGBB; у расы нет цвета</translation>
    </message>
    <message>
        <source>race &quot;%1&quot; already has a line for turn %2; line skipped</source>
        <translation>у расы «%1» уже есть строка для хода %2; строка пропущена</translation>
    </message>
    <message>
        <source>race &quot;%1&quot; is not in races.csv; its %2 line(s) skipped</source>
        <translation>расы «%1» нет в races.csv; её строки (%2) пропущены</translation>
    </message>
</context>
<context>
    <name>GameStore</name>
    <message>
        <source>games folder does not exist; no games loaded</source>
        <translation>папки игр нет; игры не загружены</translation>
    </message>
    <message>
        <source>game log is not there any more; not loaded</source>
        <translation>журнала игры больше нет; не загружен</translation>
    </message>
    <message>
        <source>does not start with &quot;%1&quot;; not a game log, not loaded</source>
        <translation>не начинается с «%1»; не журнал игры, не загружен</translation>
    </message>
    <message>
        <source>there is no game &quot;%1&quot; to import into</source>
        <translation>нет игры «%1», в которую можно импортировать</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is read from the game server&apos;s log %2, which belongs to the game server; turns cannot be imported into it</source>
        <translation>игра «%1» читается из журнала игрового сервера %2, который принадлежит серверу; импортировать в неё ходы нельзя</translation>
    </message>
</context>
<context>
    <name>HeadlessRun</name>
    <message>
        <source>no games in %1</source>
        <translation>в %1 нет игр</translation>
    </message>
    <message>
        <source>no game &quot;%1&quot; in %2 (games: %3)</source>
        <translation>в %2 нет игры «%1» (игры: %3)</translation>
    </message>
    <message>
        <source>no race &quot;%1&quot; in the game &quot;%2&quot; (races: %3)</source>
        <translation>в игре «%2» нет расы «%1» (расы: %3)</translation>
    </message>
    <message>
        <source>no plug-in could be loaded from %1</source>
        <translation>из %1 не загрузился ни один подключаемый модуль</translation>
    </message>
    <message>
        <source>no plug-in offers the menu item &quot;%1&quot;</source>
        <translation>ни один подключаемый модуль не предлагает пункт меню «%1»</translation>
    </message>
    <message>
        <source>the plug-in opened no chart (is %1 a chart file it can read?)</source>
        <translation>подключаемый модуль не открыл график (может ли он прочитать файл графика %1?)</translation>
    </message>
    <message>
        <source>cannot write the chart image %1: %2</source>
        <translation>не удалось записать изображение графика %1: %2</translation>
    </message>
    <message>
        <source>the chart file %1 was not written</source>
        <translation>файл графика %1 не записан</translation>
    </message>
    <message>
        <source>the chart did not take the statistics %1 (it shows %2)</source>
        <translation>график не принял статистику %1 (он показывает %2)</translation>
    </message>
    <message>
        <source>nothing readable</source>
        <translation>ничего читаемого</translation>
    </message>
</context>
<context>
    <name>HostLog</name>
    <message>
        <source>warning: %1</source>
        <translation>предупреждение: %1</translation>
    </message>
</context>
<context>
    <name>HostOptions</name>
    <message>
        <source>--headless needs --select RACE[,RACE...]</source>
        <translation>для --headless нужен --select RACE[,RACE...]</translation>
    </message>
    <message>
        <source>--headless needs --png FILE or --svg FILE</source>
        <translation>для --headless нужен --png FILE или --svg FILE</translation>
    </message>
    <message>
        <source>--size must be WxH, each from 16 to 8192, not &quot;%1&quot;</source>
        <translation>--size должен быть WxH, каждое от 16 до 8192, а не «%1»</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>лишний аргумент «%1»</translation>
    </message>
    <message>
        <source>--map: %1</source>
        <translation>--map: %1</translation>
    </message>
    <message>
        <source>--%1 is for --headless runs</source>
        <translation>--%1 — только для запусков с --headless</translation>
    </message>
    <message>
        <source>Loads the chart plug-ins of DIR (default: the folder of this program), answers
their requests from the games of --games (default: the bundled sample games)
and starts them in --start-dir (default: a per-user data folder).
--headless opens the chart, adds the named races of game G (default: the
first game), shows the named statistics (default: those the chart has),
writes the chart as PNG and/or SVG (default size 900x600; in SVG the curves
are vector paths) and closes it, which writes the chart file save.kv in the
start folder.

A game is a folder with races.csv and turns.csv, or a game server&apos;s score log
(a file starting &quot;%1&quot;), which the window follows while the
server writes it. MAP says which of the log&apos;s tags are charted as which
statistic: STAT=TAG[,STAT=TAG...], with STAT one of
  %2
and TAG a tag of the log, or none. Default:
  %3
</source>
        <translation>Загружает подключаемые модули графиков из DIR (по умолчанию: папка этой
программы), отвечает на их запросы по играм из --games (по умолчанию:
прилагаемые примеры игр) и запускает их в --start-dir (по умолчанию: папка
данных пользователя).
--headless открывает график, добавляет названные расы игры G (по умолчанию:
первой игры), показывает названную статистику (по умолчанию: ту, что есть
в графике), записывает график в PNG и/или SVG (размер по умолчанию 900x600;
в SVG кривые — векторные контуры) и закрывает его, что записывает файл
графика save.kv в стартовую папку.

Игра — это папка с races.csv и turns.csv или журнал счёта игрового сервера
(файл, начинающийся с «%1»), за которым окно следит, пока
сервер его пишет. MAP говорит, какие теги журнала показываются как какая
статистика: STAT=TAG[,STAT=TAG...], где STAT — одно из
  %2
а TAG — тег журнала или none. По умолчанию:
  %3
</translation>
    </message>
</context>
<context>
    <name>HostPaths</name>
    <message>
        <source>no per-user data folder is known here; give --start-dir DIR</source>
        <translation>здесь неизвестна папка данных пользователя; укажите --start-dir DIR</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>не удалось создать папку %1</translation>
    </message>
</context>
<context>
    <name>HostWindow</name>
    <message>
        <source>KURVO7 host</source>
        <translation>Хост KURVO7</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Open game log...</source>
        <translation>&amp;Открыть журнал игры...</translation>
    </message>
    <message>
        <source>Game log &amp;statistics...</source>
        <translation>&amp;Статистика журнала игры...</translation>
    </message>
    <message>
        <source>&amp;Import turn...</source>
        <translation>&amp;Импорт хода...</translation>
    </message>
    <message>
        <source>&amp;Export chart...</source>
        <translation>&amp;Экспорт графика...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Plug-ins</source>
        <translation>&amp;Модули</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Окно</translation>
    </message>
    <message>
        <source>&amp;Races</source>
        <translation>&amp;Расы</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;About plug-ins...</source>
        <translation>&amp;О модулях...</translation>
    </message>
    <message>
        <source>Races</source>
        <translation>Расы</translation>
    </message>
    <message>
        <source>(no plug-ins)</source>
        <translation>(нет модулей)</translation>
    </message>
    <message>
        <source>The plug-in is busy; try again.</source>
        <translation>Модуль занят; повторите попытку.</translation>
    </message>
    <message>
        <source>Import turn</source>
        <translation>Импорт хода</translation>
    </message>
    <message>
        <source>Turn files (*.csv);;All files (*)</source>
        <translation>Файлы ходов (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Изображение PNG (*.png)</translation>
    </message>
    <message>
        <source>Export chart</source>
        <translation>Экспорт графика</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG image (*.svg)</source>
        <translation>Изображение PNG (*.png);;Изображение SVG (*.svg)</translation>
    </message>
    <message>
        <source>There is no chart window to export.</source>
        <translation>Нет окна с графиком для экспорта.</translation>
    </message>
    <message>
        <source>The chart was not exported to %1: %2</source>
        <translation>График не экспортирован в %1: %2</translation>
    </message>
    <message>
        <source>A plug-in is still working; import the turn when it is done.</source>
        <translation>Модуль ещё работает; импортируйте ход, когда он закончит.</translation>
    </message>
    <message>
        <source>The turn was not imported:
%1</source>
        <translation>Ход не импортирован:
%1</translation>
    </message>
    <message>
        <source>Turn %1 was imported without these figures:
%2</source>
        <translation>Ход %1 импортирован без этих показателей:
%2</translation>
    </message>
    <message>
        <source>Imported turn %1 (%2 races)</source>
        <translation>Импортирован ход %1 (рас: %2)</translation>
    </message>
    <message>
        <source>Open game log</source>
        <translation>Открыть журнал игры</translation>
    </message>
    <message>
        <source>Score logs (*.log *.txt);;All files (*)</source>
        <translation>Журналы счёта (*.log *.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>%1 is not a game server&apos;s score log: its first line does not start with &quot;%2&quot;.</source>
        <translation>%1 — не журнал счёта игрового сервера: его первая строка не начинается с «%2».</translation>
    </message>
    <message>
        <source>A plug-in is still working; open the log when it is done.</source>
        <translation>Модуль ещё работает; откройте журнал, когда он закончит.</translation>
    </message>
    <message>
        <source>The log is open, but it could not be remembered for the next start: %1 cannot be written.</source>
        <translation>Журнал открыт, но запомнить его до следующего запуска не удалось: нельзя записать %1.</translation>
    </message>
    <message>
        <source>A plug-in is still working; change the statistics when it is done.</source>
        <translation>Модуль ещё работает; измените статистику, когда он закончит.</translation>
    </message>
    <message>
        <source>The statistics are changed, but they could not be remembered for the next start: %1 cannot be written.</source>
        <translation>Статистика изменена, но запомнить её до следующего запуска не удалось: нельзя записать %1.</translation>
    </message>
    <message>
        <source>Statistics of %1 changed. A chart that holds this game keeps the figures it has; &quot;Reset Kurvo&quot; in its menu charts the game anew.</source>
        <translation>Статистика игры %1 изменена. График, в котором уже есть эта игра, сохраняет прежние значения; пункт «Reset Kurvo» в его меню строит игру заново.</translation>
    </message>
    <message>
        <source>A plug-in is still working; ask again when it is done.</source>
        <translation>Модуль ещё работает; спросите снова, когда он закончит.</translation>
    </message>
    <message>
        <source>No plug-ins are loaded.</source>
        <translation>Ни один модуль не загружен.</translation>
    </message>
    <message>
        <source>About plug-ins</source>
        <translation>О модулях</translation>
    </message>
    <message numerus="yes">
        <source>%n module(s) skipped; see the terminal</source>
        <translation>
            <numerusform>Пропущен %n модуль; подробности в терминале</numerusform>
            <numerusform>Пропущено %n модуля; подробности в терминале</numerusform>
            <numerusform>Пропущено %n модулей; подробности в терминале</numerusform>
        </translation>
    </message>
    <message>
        <source>No plug-in was loaded from %1.</source>
        <translation>Из %1 не загружено ни одного модуля.</translation>
    </message>
</context>
<context>
    <name>LoadLog</name>
    <message>
        <source>too many problems; the rest of this file&apos;s problems are not listed</source>
        <translation>слишком много ошибок; остальные ошибки этого файла не перечислены</translation>
    </message>
</context>
<context>
    <name>LogMapDialog</name>
    <message>
        <source>&amp;Industry:</source>
        <translation>&amp;Промышленность:</translation>
    </message>
    <message>
        <source>&amp;Population:</source>
        <translation>&amp;Население:</translation>
    </message>
    <message>
        <source>&amp;Weapon:</source>
        <translation>&amp;Оружие:</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>&amp;Двигатели:</translation>
    </message>
    <message>
        <source>&amp;Shield:</source>
        <translation>&amp;Щиты:</translation>
    </message>
    <message>
        <source>Statistics of %1</source>
        <translation>Статистика игры %1</translation>
    </message>
    <message>
        <source>Which of the game log&apos;s statistics the chart shows as each of its own. A chart that already holds this game keeps its figures until &quot;Reset Kurvo&quot;.</source>
        <translation>Какой из показателей журнала игры график показывает под каждым своим названием. График, в котором уже есть эта игра, сохраняет прежние значения до «Reset Kurvo».</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(нет)</translation>
    </message>
    <message>
        <source>%1 (not in this log)</source>
        <translation>%1 (нет в этом журнале)</translation>
    </message>
</context>
<context>
    <name>PluginAbout</name>
    <message>
        <source>Not in use:</source>
        <translation>Не используются:</translation>
    </message>
</context>
<context>
    <name>PluginCallShield</name>
    <message>
        <source>Answering the plug-in: %1 requests, %2 races</source>
        <translation>Ответы модулю: запросов — %1, рас — %2</translation>
    </message>
</context>
<context>
    <name>PluginFailure</name>
    <message>
        <source>not found</source>
        <translation>не найден</translation>
    </message>
    <message>
        <source>not loadable</source>
        <translation>не загружается</translation>
    </message>
    <message>
        <source>missing entry points</source>
        <translation>нет точек входа</translation>
    </message>
    <message>
        <source>failed to start</source>
        <translation>не запустился</translation>
    </message>
    <message>
        <source>cannot load: %1</source>
        <translation>не загружается: %1</translation>
    </message>
    <message>
        <source>not a plug-in: no entry point %1</source>
        <translation>не подключаемый модуль: нет точки входа %1</translation>
    </message>
    <message>
        <source>%1: %2; skipped</source>
        <translation>%1: %2; пропущен</translation>
    </message>
</context>
<context>
    <name>PluginHost</name>
    <message>
        <source>no such plug-in folder</source>
        <translation>нет такой папки модулей</translation>
    </message>
    <message>
        <source>cannot enter the start folder %1</source>
        <translation>не удалось перейти в стартовую папку %1</translation>
    </message>
    <message>
        <source>another plug-in call was running</source>
        <translation>уже шёл другой вызов модуля</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>сбой в %1: %2</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>сбой в %1</translation>
    </message>
</context>
<context>
    <name>PluginModule</name>
    <message>
        <source>no such file</source>
        <translation>нет такого файла</translation>
    </message>
    <message>
        <source>menu key &quot;%1&quot; is not MenuItem or MenuItem:N; left out</source>
        <translation>ключ меню «%1» — не MenuItem и не MenuItem:N; пропущен</translation>
    </message>
    <message>
        <source>menu item %1 has no caption; left out</source>
        <translation>у пункта меню %1 нет названия; пропущен</translation>
    </message>
    <message>
        <source>offers %1 menu items; only the first %2 are shown</source>
        <translation>предлагает пунктов меню: %1; показаны только первые %2</translation>
    </message>
</context>
<context>
    <name>RaceNames</name>
    <message>
        <source>the name is %1 bytes long, more than the %2 a race name may have</source>
        <translation>длина имени %1 байт, больше %2, допустимых для имени расы</translation>
    </message>
    <message>
        <source>as kept, </source>
        <translation>в сохранённом виде </translation>
    </message>
    <message>
        <source>the name holds a control character (at byte %1)</source>
        <translation>в имени управляющий символ (байт %1)</translation>
    </message>
</context>
<context>
    <name>RacesPanel</name>
    <message>
        <source>&amp;Game:</source>
        <translation>&amp;Игра:</translation>
    </message>
    <message>
        <source>&amp;Races:</source>
        <translation>&amp;Расы:</translation>
    </message>
    <message>
        <source>Race</source>
        <translation>Раса</translation>
    </message>
    <message>
        <source>Turn</source>
        <translation>Ход</translation>
    </message>
    <message>
        <source>Industry</source>
        <translation>Промышленность</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Население</translation>
    </message>
    <message>
        <source>Weapons</source>
        <translation>Оружие</translation>
    </message>
    <message>
        <source>Drives</source>
        <translation>Двигатели</translation>
    </message>
    <message>
        <source>Shields</source>
        <translation>Щиты</translation>
    </message>
    <message>
        <source>Charted as “%1”: the chart&apos;s code page cannot hold this name.</source>
        <translation>На графике — «%1»: кодовая страница графика не может передать это имя.</translation>
    </message>
</context>
<context>
    <name>ScoreLogReader</name>
    <message>
        <source>%1; not a game, skipped</source>
        <translation>%1; это не игра, пропущено</translation>
    </message>
    <message>
        <source>the log declares no tag &quot;%1&quot;; %2 stays empty</source>
        <translation>в журнале не объявлен тег «%1»; %2 остаётся пустой</translation>
    </message>
    <message>
        <source>cannot be read any more; the game stays as it was</source>
        <translation>больше не читается; игра остаётся как была</translation>
    </message>
    <message>
        <source>line longer than %1 bytes; skipped</source>
        <translation>строка длиннее %1 байт; пропущена</translation>
    </message>
    <message>
        <source>does not start with &quot;%1&quot;; not read as a score log</source>
        <translation>не начинается с «%1»; не прочитан как журнал счёта</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;; line skipped</source>
        <translation>неизвестная команда «%1»; строка пропущена</translation>
    </message>
    <message>
        <source>&quot;id&quot; without the game&apos;s id; line skipped</source>
        <translation>«id» без идентификатора игры; строка пропущена</translation>
    </message>
    <message>
        <source>a second &quot;id&quot; line; line skipped</source>
        <translation>вторая строка «id»; строка пропущена</translation>
    </message>
    <message>
        <source>&quot;tag&quot; wants a tag id and a name; line skipped</source>
        <translation>«tag» требует номер тега и имя; строка пропущена</translation>
    </message>
    <message>
        <source>tag %1 is declared again; line skipped</source>
        <translation>тег %1 объявлен повторно; строка пропущена</translation>
    </message>
    <message>
        <source>a second tag &quot;%1&quot;; line skipped</source>
        <translation>второй тег «%1»; строка пропущена</translation>
    </message>
    <message>
        <source>turn &quot;%1&quot; was not declared; line skipped</source>
        <translation>ход «%1» не объявлен; строка пропущена</translation>
    </message>
    <message>
        <source>&quot;turn&quot; wants a turn, a number and a description; line skipped</source>
        <translation>«turn» требует ход, число и описание; строка пропущена</translation>
    </message>
    <message>
        <source>turn &quot;%1&quot; is not a number from 0 to %2; line skipped</source>
        <translation>ход «%1» — не число от 0 до %2; строка пропущена</translation>
    </message>
    <message>
        <source>turn 0 after the log began with turn 1; line skipped</source>
        <translation>ход 0 после того, как журнал начался с хода 1; строка пропущена</translation>
    </message>
    <message>
        <source>turn %1 is declared again; line skipped</source>
        <translation>ход %1 объявлен повторно; строка пропущена</translation>
    </message>
    <message>
        <source>&quot;addplayer&quot; wants a turn, a player id and a name; line skipped</source>
        <translation>«addplayer» требует ход, номер игрока и имя; строка пропущена</translation>
    </message>
    <message>
        <source>player %1 is still in the game at turn %2; line skipped</source>
        <translation>игрок %1 ещё в игре на ходу %2; строка пропущена</translation>
    </message>
    <message>
        <source>; line skipped</source>
        <translation>; строка пропущена</translation>
    </message>
    <message>
        <source>player name %1; charted as &quot;%2&quot;</source>
        <translation>имя игрока: %1; на графике — «%2»</translation>
    </message>
    <message>
        <source>&quot;delplayer&quot; wants a turn and a player id; line skipped</source>
        <translation>«delplayer» требует ход и номер игрока; строка пропущена</translation>
    </message>
    <message>
        <source>player %1 is not in the game at turn %2; line skipped</source>
        <translation>игрока %1 нет в игре на ходу %2; строка пропущена</translation>
    </message>
    <message>
        <source>&quot;data&quot; wants a turn, a tag id, a player id and a value; line skipped</source>
        <translation>«data» требует ход, номер тега, номер игрока и значение; строка пропущена</translation>
    </message>
    <message>
        <source>tag &quot;%1&quot; was not declared; line skipped</source>
        <translation>тег «%1» не объявлен; строка пропущена</translation>
    </message>
    <message>
        <source>player &quot;%1&quot; is not in the game at turn %2; line skipped</source>
        <translation>игрока «%1» нет в игре на ходу %2; строка пропущена</translation>
    </message>
    <message>
        <source>figure &quot;%1&quot; is not an integer; line skipped</source>
        <translation>значение «%1» — не целое число; строка пропущена</translation>
    </message>
    <message>
        <source>a second figure of tag %1 for player %2 in turn %3; line skipped</source>
        <translation>второе значение тега %1 для игрока %2 на ходу %3; строка пропущена</translation>
    </message>
</context>
<context>
    <name>StatisticFlags</name>
    <message>
        <source>unknown statistic &quot;%1&quot; (known: %2)</source>
        <translation>неизвестная статистика «%1» (известны: %2)</translation>
    </message>
</context>
<context>
    <name>StatisticMap</name>
    <message>
        <source>no STAT=TAG pair in &quot;%1&quot;</source>
        <translation>в «%1» нет пары STAT=TAG</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not STAT=TAG with STAT one of %2</source>
        <translation>«%1» — не STAT=TAG, где STAT — одно из: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no tag (a word, or &quot;none&quot;)</source>
        <translation>«%1» не называет тег (слово или «none»)</translation>
    </message>
</context>
<context>
    <name>TurnImporter</name>
    <message>
        <source>holds no turn lines; nothing imported</source>
        <translation>нет строк ходов; ничего не импортировано</translation>
    </message>
    <message>
        <source>game &quot;%1&quot; has no race &quot;%2&quot;</source>
        <translation>в игре «%1» нет расы «%2»</translation>
    </message>
    <message>
        <source>race &quot;%1&quot; appears twice</source>
        <translation>раса «%1» встречается дважды</translation>
    </message>
    <message>
        <source>holds turn %1 besides turn %2 (line %3); an import takes exactly one turn</source>
        <translation>есть ход %1 помимо хода %2 (строка %3); импорт принимает ровно один ход</translation>
    </message>
    <message>
        <source>game &quot;%1&quot; already has turn %2</source>
        <translation>в игре «%1» уже есть ход %2</translation>
    </message>
    <message>
        <source>has no header line to add turns under</source>
        <translation>нет строки заголовка, под которую добавить ходы</translation>
    </message>
    <message>
        <source>lacks some of the turn table&apos;s columns; no turns added</source>
        <translation>нет некоторых столбцов таблицы ходов; ходы не добавлены</translation>
    </message>
    <message>
        <source>opens a quoted field that is never closed; lines added after it would be read into it, so no turns added</source>
        <translation>открывает поле в кавычках, которое не закрыто; добавленные после него строки попали бы в него, поэтому ходы не добавлены</translation>
    </message>
</context>
<context>
    <name>TurnRowParser</name>
    <message>
        <source>turn &quot;%1&quot; is not a whole number from 0 to %2; line skipped</source>
        <translation>ход «%1» — не целое число от 0 до %2; строка пропущена</translation>
    </message>
    <message>
        <source>%1 figure &quot;%2&quot; is not a number; counted as missing</source>
        <translation>%1: значение «%2» — не число; считается отсутствующим</translation>
    </message>
</context>
<context>
    <name>kurvo-host</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>не задан ни DISPLAY, ни WAYLAND_DISPLAY</translation>
    </message>
    <message>
        <source>%1 could not be reached</source>
        <translation>не удалось подключиться к %1</translation>
    </message>
    <message>
        <source>no display to show the window on (%1); use --headless to chart without one</source>
        <translation>нет дисплея, чтобы показать окно (%1); без него строит график --headless</translation>
    </message>
</context>
</TS>
