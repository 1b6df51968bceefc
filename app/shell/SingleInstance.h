#pragma once
// The one-copy rule: a named mutex in this session's namespace, held for the life of the process. The
// system frees it when the process ends however it ends, so a crashed copy never blocks the next start.
namespace quillet {

// Claims the program's instance mutex; false when another copy holds it (or it cannot be had).
bool ClaimSingleInstance();

} // namespace quillet
