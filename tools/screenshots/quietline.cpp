#include "quietline.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace screenshots
{

QuietLine::QuietLine()
{
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0)
        return;
    const char *name = nullptr;
    if (grantpt(fd) != 0 || unlockpt(fd) != 0 || !(name = ptsname(fd))) {
        ::close(fd);
        return;
    }
    masterFd = fd;
    path = QString::fromLocal8Bit(name);
}

QuietLine::~QuietLine()
{
    if (masterFd >= 0)
        ::close(masterFd);
}

} // namespace screenshots
