#include "WindowMemory.h"

#include "RacesPanel.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QSettings>

namespace
{
const QString kGeometry = QStringLiteral("window/geometry");
const QString kDocks = QStringLiteral("window/docks");
const QString kGame = QStringLiteral("races/game");
const QString kSelected = QStringLiteral("races/selected");
// Bumped when the docks change so much that an old layout no longer fits.
constexpr int kDocksVersion = 1;
} // namespace

WindowMemory::WindowMemory(const QString& fileName) : m_fileName(fileName) {}

QString WindowMemory::standardFileName()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName())
        .fileName();
}

void WindowMemory::restore(QMainWindow& window, RacesPanel& races) const
{
    // Each part on its own: a damaged one does not cost the others.
    const QSettings settings(m_fileName, QSettings::IniFormat);
    window.restoreGeometry(settings.value(kGeometry).toByteArray());
    window.restoreState(settings.value(kDocks).toByteArray(), kDocksVersion);
    restoreRaces(settings, races);
    WindowPlacement::fit(window);
}

void WindowMemory::restoreRaces(const QSettings& settings, RacesPanel& races) const
{
    const QByteArray game = settings.value(kGame).toByteArray();
    if (game.isEmpty() || !races.chooseGame(game.toStdString()))
        return;
    // A list that names none of the game's races (or no list) is no
    // selection in it: the game's own stays.
    const QVariant selected = settings.value(kSelected);
    const QStringList names = selected.toStringList();
    const bool isList =
        selected.typeId() == QMetaType::QStringList || selected.typeId() == QMetaType::QString;
    if (isList && (names.isEmpty() || races.hasAnyRace(names)))
        races.selectRaces(names);
}

bool WindowMemory::save(const QMainWindow& window, const RacesPanel& races) const
{
    // The file is the window's alone and written whole: whatever else an
    // old or damaged one holds would only be carried along.
    QFile::remove(m_fileName);
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.setValue(kGeometry, window.saveGeometry());
    settings.setValue(kDocks, window.saveState(kDocksVersion));
    settings.setValue(kGame, QByteArray::fromStdString(races.currentGame()));
    settings.setValue(kSelected, races.selectedRaces());
    settings.sync();
    return settings.status() == QSettings::NoError;
}
