#include "platform/folder_sync.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace wattlet {

void syncFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace wattlet
