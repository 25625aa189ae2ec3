<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
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
</TS>
