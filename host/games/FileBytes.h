// Whole game files read and replaced through the framework's file layer,
// the one the plug-in's chart files go through: a replaced file gets the
// same atomic write (a temporary file, synced, renamed over the old one),
// and tests fail the same system calls for both.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class FileBytes
{
public:
    // Nothing when the file cannot be read or holds more than maxBytes;
    // error then says so, as a phrase that follows the file's name.
    static std::optional<QByteArray> read(const QString& path, qint64 maxBytes, QString& error);
    // False, with error as above, when the file could not be replaced; it
    // then stays as it was.
    static bool replace(const QString& path, const QByteArray& bytes, QString& error);
};
