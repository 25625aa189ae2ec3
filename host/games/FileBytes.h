// Whole game files read and replaced through the framework's file layer,
// the one the plug-in's chart files go through: a replaced file gets the
// same atomic write (a temporary file, synced, renamed over the old one),
// and tests fail the same system calls for both.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>

class FileBytes
{
public:
    // Whether path names a regular file (or a link to one). Anything else
    // (a named pipe, a device) could block a read for ever, or never end.
    static bool isRegularFile(const QString& path);

    // Nothing when the file is not a regular file, cannot be read or holds
    // more than maxBytes;
    // error then says so, as a phrase that follows the file's name.
    static std::optional<QByteArray> read(const QString& path, qint64 maxBytes, QString& error);

    // Hands the file to onPiece a block at a time, for files too big to
    // hold whole; onPiece returns false to stop. As far as the file's length
    // when it was opened: a file that grows meanwhile is reported after its
    // pieces. False, with error as above, when the file cannot be read or
    // holds more than maxBytes.
    using PieceHandler = std::function<bool(std::string_view piece)>;
    static bool readPieces(const QString& path, qint64 maxBytes, const PieceHandler& onPiece,
                           QString& error);
    // Like readPieces, from offset on: for a file that another program
    // appends to, read as far as its length when it was opened. False, with
    // error as above, when the file cannot be read, holds more than maxBytes
    // or is now shorter than offset.
    static bool readFrom(const QString& path, qint64 offset, qint64 maxBytes,
                         const PieceHandler& onPiece, QString& error);
    // False, with error as above, when the file could not be replaced; it
    // then stays as it was.
    static bool replace(const QString& path, const QByteArray& bytes, QString& error);

    Q_DECLARE_TR_FUNCTIONS(FileBytes)
};
