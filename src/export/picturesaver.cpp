#include "picturesaver.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int JpegQuality = 95;

PictureFiles &systemFiles()
{
    static PictureFiles files;
    return files;
}

bool folderRefuses(int error)
{
    return error == EACCES || error == EPERM || error == EROFS || error == ENOENT || error == ENOTDIR;
}

QString describe(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

int PictureFiles::createExclusive(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          0644);
    return fd >= 0 ? fd : -errno;
}

int PictureFiles::writeAll(int fd, const QByteArray &data)
{
    const char *at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        at += written;
        left -= written;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

void PictureFiles::closeFile(int fd)
{
    ::close(fd);
}

void PictureFiles::removeFile(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

QString saveStamp(const QDateTime &time)
{
    return time.toString(QStringLiteral("HmssMMddyy"));
}

PictureSaver::PictureSaver()
    : PictureSaver(defaultFolders(), &QDateTime::currentDateTime, &systemFiles())
{
}

PictureSaver::PictureSaver(QStringList folders, Clock clock, PictureFiles *files)
    : m_folders(std::move(folders))
    , m_clock(std::move(clock))
    , m_files(files)
{
}

QStringList PictureSaver::defaultFolders()
{
    QStringList folders{QCoreApplication::applicationDirPath()};
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty())
        folders << pictures;
    folders << QDir::homePath();
    folders.removeDuplicates();
    return folders;
}

QByteArray PictureSaver::encodeJpeg(const QImage &picture)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(JpegQuality);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        return QByteArray();
    return data;
}

SaveOutcome PictureSaver::save(const QImage &picture) const
{
    SaveOutcome outcome;
    if (picture.isNull()) {
        outcome.reason = QStringLiteral("There is no picture to save.");
        return outcome;
    }
    const QByteArray data = encodeJpeg(picture);
    if (data.isEmpty()) {
        outcome.reason = QStringLiteral("The picture could not be encoded as JPEG.");
        return outcome;
    }

    const QString stamp = saveStamp(m_clock());
    for (const QString &folder : m_folders) {
        QDir().mkpath(folder);
        for (int copy = 1;; ++copy) {
            const QString name = copy == 1 ? stamp : QStringLiteral("%1-%2").arg(stamp).arg(copy);
            outcome.path = folder + QLatin1Char('/') + name + QStringLiteral(".jpg");
            const int fd = m_files->createExclusive(outcome.path);
            if (fd == -EEXIST)
                continue;
            if (fd < 0) {
                outcome.reason = describe(-fd);
                if (folderRefuses(-fd))
                    break;
                return outcome;
            }
            const int error = m_files->writeAll(fd, data);
            m_files->closeFile(fd);
            if (error != 0) {
                m_files->removeFile(outcome.path);
                outcome.reason = describe(error);
                return outcome;
            }
            outcome.saved = true;
            outcome.reason.clear();
            return outcome;
        }
    }
    return outcome;
}
