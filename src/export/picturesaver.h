#pragma once

#include <QDateTime>
#include <QImage>
#include <QStringList>

#include <functional>

// The file system as saving sees it. Tests replace it to make a folder refuse writes or a
// disk run full.
class PictureFiles
{
public:
    virtual ~PictureFiles() = default;
    // Creates the file only if nothing, not even a dangling symlink, has that name.
    // Returns the descriptor, or -errno.
    virtual int createExclusive(const QString &path);
    // Writes everything and flushes it to the disk. Returns 0 or an errno value.
    virtual int writeAll(int fd, const QByteArray &data);
    virtual void closeFile(int fd);
    virtual void removeFile(const QString &path);
};

struct SaveOutcome
{
    bool saved = false;
    QString path;   // the file written, or the last one tried
    QString reason; // why nothing was written
};

// "hmssmmddyy": hour and minute without leading zeros, then second, month, day and year
// with two digits each (9:05:07 on 24 March 2013 gives 9507032413).
QString saveStamp(const QDateTime &time);

// Writes the exported comic as a JPEG named after the local time, into the first folder that
// takes it. An existing file is never replaced: a taken name gets "-2", "-3", ... and a
// failed write leaves nothing behind.
class PictureSaver
{
public:
    using Clock = std::function<QDateTime()>;

    PictureSaver();
    PictureSaver(QStringList folders, Clock clock, PictureFiles *files);

    SaveOutcome save(const QImage &picture) const;

    // The program's folder, then the user's Pictures folder, then the home folder.
    static QStringList defaultFolders();
    static QByteArray encodeJpeg(const QImage &picture);

private:
    QStringList m_folders;
    Clock m_clock;
    PictureFiles *m_files;
};
