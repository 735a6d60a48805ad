#pragma once
// The process around the tool's commands, made right before any of them runs.

#include <string>

namespace talmorek::tool {

// A file-size limit (ulimit -f) becomes a failed write that the command
// reports and cleans up like a full disk, instead of a signal that kills the
// tool halfway and leaves a temporary file beside the target. And Qt gets
// the private runtime directory it asks for when XDG_RUNTIME_DIR is not set
// (a cron job, a login without a session, a container), so that a printout
// prints only the tool's own lines and no warning about it. On Windows the
// console shows the UTF-8 the tool writes.
void prepareProcess();

// The directory that prepareProcess sets as XDG_RUNTIME_DIR when none is set:
// "talmorek-runtime-<uid>" in the system's temporary directory, created
// with mode 0700; empty when it cannot be made safely (it exists and is not
// a directory of this user with that mode), and on Windows.
std::string privateRuntimeDirectory();

}  // namespace talmorek::tool
