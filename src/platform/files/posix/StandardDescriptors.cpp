#include "platform/files/StandardDescriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace quiverel::fs {

void keepStandardDescriptorsTaken() {
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number is taken: this one, the lower ones being open by now.
        const int opened = ::open("/dev/null", descriptor == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (opened != descriptor && opened >= 0) {
            ::dup2(opened, descriptor);
            ::close(opened);
        }
    }
}

} // namespace quiverel::fs
