#include "FileBytes.h"

#include "framework/app/CSaveFile.h"

#include <QFile>
#include <cstring>
#include <memory>

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
} // namespace

std::optional<QByteArray> FileBytes::read(const QString& path, qint64 maxBytes, QString& error)
{
    CFile file;
    CFileException openError;
    if (!file.Open(QFile::encodeName(path).constData(), CFile::modeRead, &openError)) {
        error = QStringLiteral("cannot be opened: %1").arg(reasonOf(openError));
        return std::nullopt;
    }
    QByteArray bytes;
    QString tooLarge;
    const bool done = reported(error, [&] {
        const qint64 length = qint64(file.GetLength());
        if (length > maxBytes) {
            tooLarge = QStringLiteral("is %1 bytes long, more than the %2 bytes accepted; not read")
                           .arg(length)
                           .arg(maxBytes);
            return;
        }
        // Room for one byte more than the length, so that a file that grew
        // since is refused instead of cut short.
        bytes.resize(length + 1);
        bytes.resize(file.Read(bytes.data(), UINT(bytes.size())));
        if (bytes.size() > length)
            tooLarge = QStringLiteral("grew while it was read; not read");
        file.Close();
    });
    if (!done) {
        error = QStringLiteral("cannot be read: %1").arg(error);
        return std::nullopt;
    }
    if (!tooLarge.isEmpty()) {
        error = tooLarge;
        return std::nullopt;
    }
    return bytes;
}

bool FileBytes::replace(const QString& path, const QByteArray& bytes, QString& error)
{
    CSaveFile file;
    CFileException openError;
    if (!file.OpenTarget(QFile::encodeName(path).constData(), &openError)) {
        error = QStringLiteral("cannot be written: %1").arg(reasonOf(openError));
        return false;
    }
    const bool done = reported(error, [&] {
        file.Write(bytes.constData(), UINT(bytes.size()));
        file.Commit();
    });
    if (!done)
        error = QStringLiteral("cannot be written: %1").arg(error);
    return done;
}
