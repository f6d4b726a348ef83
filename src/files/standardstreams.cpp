#include "standardstreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace files
{

bool openMissingStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened < 0)
            return false;
        // The lowest free number: fd itself, as the ones below it are open.
        if (opened != fd) {
            const bool moved = ::dup2(opened, fd) == fd;
            ::close(opened);
            if (!moved)
                return false;
        }
    }
    return true;
}

} // namespace files
