#include "FileBytes.h"

#include "framework/app/CSaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
QString reasonOf(const CFileException& error)
{
    if (error.m_lOsError > 0)
        return QString::fromLocal8Bit(std::strerror(int(error.m_lOsError)));
    return QString::fromLatin1(CFileException::CauseText(error.m_cause));
}

// Runs work, turning the framework's file exception into a reason.
template <typename Work> bool reported(QString& error, Work work)
{
    try {
        work();
        return true;
    } catch (CFileException* e) {
        error = reasonOf(*e);
        e->Delete();
    } catch (CException* e) {
        error = QString::fromLocal8Bit(e->GetErrorMessage().GetString());
        e->Delete();
    }
    return false;
}

bool open(CFile& file, const QString& path, QString& error)
{
    if (!FileBytes::isRegularFile(path)) {
        error = QFileInfo::exists(path)
                    ? FileBytes::tr("is not a regular file (a pipe or a device?); not read")
                    : FileBytes::tr("cannot be opened: %1")
                          .arg(QString::fromLocal8Bit(std::strerror(ENOENT)));
        return false;
    }
    CFileException openError;
    if (file.Open(QFile::encodeName(path).constData(), CFile::modeRead, &openError))
        return true;
    error = FileBytes::tr("cannot be opened: %1").arg(reasonOf(openError));
    return false;
}

QString tooLargeText(qint64 length, qint64 maxBytes)
{
    return FileBytes::tr("is %1 bytes long, more than the %2 bytes accepted; not read")
        .arg(length)
        .arg(maxBytes);
}

// The outcome of a read that ran or threw: refused wins over done.
bool outcome(bool done, const QString& refused, QString& error)
{
    if (!done) {
        error = FileBytes::tr("cannot be read: %1").arg(error);
        return false;
    }
    if (!refused.isEmpty()) {
        error = refused;
        return false;
    }
    return true;
}

constexpr UINT kPieceBytes = 1 << 20;

// Hands the next `rest` bytes of the file to onPiece a block at a time;
// false when onPiece stopped it.
bool handPieces(CFile& file, qint64 rest, const FileBytes::PieceHandler& onPiece)
{
    // Not zero-filled: the read fills what is used, and filling a megabyte
    // per file cost more than reading most game files.
    const std::unique_ptr<char[]> block(new char[kPieceBytes]);
    while (rest > 0) {
        const UINT n = file.Read(block.get(), UINT(std::min<qint64>(rest, kPieceBytes)));
        if (n == 0)
            break;
        rest -= n;
        if (!onPiece(std::string_view(block.get(), n)))
            return false;
    }
    return true;
}

// Opens the file, refuses one longer than maxBytes, and runs
// work(file, length, refused) with the framework's errors turned into text.
template <typename Work>
bool readChecked(const QString& path, qint64 maxBytes, QString& error, Work work)
{
    CFile file;
    if (!open(file, path, error))
        return false;
    QString refused;
    const bool done = reported(error, [&] {
        const qint64 length = qint64(file.GetLength());
        if (length > maxBytes) {
            refused = tooLargeText(length, maxBytes);
            return;
        }
        work(file, length, refused);
    });
    return outcome(done, refused, error);
}
} // namespace

bool FileBytes::isRegularFile(const QString& path)
{
    // Opened without blocking, so that asking about a pipe with no writer
    // does not itself hang, and asked of what was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {
    };
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular;
}

std::optional<QByteArray> FileBytes::read(const QString& path, qint64 maxBytes, QString& error)
{
    QByteArray bytes;
    const bool read =
        readChecked(path, maxBytes, error, [&](CFile& file, qint64 length, QString& refused) {
            // Room for one byte more than the length, so that a file that grew
            // since is refused instead of cut short; allocated exactly, as
            // growing would round a big file up to the next power of two.
            bytes = QByteArray(length + 1, Qt::Uninitialized);
            bytes.resize(file.Read(bytes.data(), UINT(bytes.size())));
            if (bytes.size() > length)
                refused = FileBytes::tr("grew while it was read; not read");
            file.Close();
        });
    if (!read)
        return std::nullopt;
    return bytes;
}

bool FileBytes::readPieces(const QString& path, qint64 maxBytes, const PieceHandler& onPiece,
                           QString& error)
{
    return readChecked(path, maxBytes, error, [&](CFile& file, qint64 length, QString& refused) {
        if (!handPieces(file, length, onPiece))
            return;
        char extra = 0;
        if (file.Read(&extra, 1) != 0)
            refused = FileBytes::tr("grew while it was read; read as far as its former length");
        file.Close();
    });
}

bool FileBytes::readFrom(const QString& path, qint64 offset, qint64 maxBytes,
                         const PieceHandler& onPiece, QString& error)
{
    return readChecked(path, maxBytes, error, [&](CFile& file, qint64 length, QString& refused) {
        if (offset < 0 || offset > length) {
            refused = FileBytes::tr("is shorter than the %1 bytes read before").arg(offset);
            return;
        }
        file.Seek(LONG(offset), CFile::begin);
        handPieces(file, length - offset, onPiece);
        file.Close();
    });
}

bool FileBytes::replace(const QString& path, const QByteArray& bytes, QString& error)
{
    CSaveFile file;
    CFileException openError;
    if (!file.OpenTarget(QFile::encodeName(path).constData(), &openError)) {
        error = FileBytes::tr("cannot be written: %1").arg(reasonOf(openError));
        return false;
    }
    const bool done = reported(error, [&] {
        file.Write(bytes.constData(), UINT(bytes.size()));
        file.Commit();
    });
    if (!done)
        error = FileBytes::tr("cannot be written: %1").arg(error);
    return done;
}
