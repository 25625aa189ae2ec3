<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
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
