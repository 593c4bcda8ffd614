// What the process may do beyond a user's rights.
#include "privileges.hpp"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace writer {

bool has_capability(int capability) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    return ::syscall(SYS_capget, &header, data) == 0 &&
           (data[CAP_TO_INDEX(capability)].effective & CAP_TO_MASK(capability)) != 0;
}

} // namespace writer
