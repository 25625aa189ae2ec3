// What the main window keeps from one run to the next: its place and size,
// its docks, the game shown and the races selected in it. Kept in one
// settings file per user; whatever of it is missing or does not read leaves
// the window's own default for that part alone.
#pragma once

#include <QString>

class QMainWindow;
class QSettings;
class RacesPanel;

class WindowMemory
{
public:
    explicit WindowMemory(const QString& fileName);

    // The user's settings file of the application, under XDG_CONFIG_HOME.
    static QString standardFileName();

    // Puts back what the file holds onto a window built with its defaults,
    // and keeps the window within today's screens.
    void restore(QMainWindow& window, RacesPanel& races) const;
    // False when the file could not be written.
    bool save(const QMainWindow& window, const RacesPanel& races) const;

    const QString& fileName() const { return m_fileName; }

private:
    void restoreRaces(const QSettings& settings, RacesPanel& races) const;

    QString m_fileName;
};
