#pragma once

// What the process may do beyond a user's rights.

namespace writer {

// Whether the process has the capability (CAP_*) in its effective set; not where the kernel
// cannot say.
bool has_capability(int capability);

} // namespace writer
