// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PlainFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opened without waiting and checked again through the open file, in case the path was
// swapped for a pipe between the first look and the open.
bool openWithoutWaiting(const QString &path, QFile &file)
{
    if (path.startsWith(QLatin1Char(':'))) // a resource lives in our own memory
        return file.open(QIODevice::ReadOnly);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

PlainFileRead readPlainFile(const QString &path, qint64 maxBytes)
{
    using Status = PlainFileRead::Status;
    const QFileInfo info(path);
    if (!info.exists())
        return {Status::Missing, {}};
    if (!info.isFile())
        return {Status::NotPlain, {}};
    QFile file(path);
    if (!openWithoutWaiting(path, file))
        return {Status::Unreadable, {}};
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return {Status::TooLarge, {}};
    return {Status::Read, std::move(bytes)};
}
