#pragma once
// The copy of the precinct data file to its target, proven rather than
// assumed: a USB stick pulled too early, a full or failing medium, or a
// cache that never reached the flash must not end in "proveden". The copy
// goes to a temporary name beside the target, is flushed with its
// directory, renamed over the final name, and read back and compared byte
// for byte with the source. Only then has the file been exported.

#include <stdexcept>
#include <string>

#include "core/data/file_system.h"

namespace talmorek::media {

// The export failed; `place` names the target as the user chose it (the
// mount point or the directory), `file` the file concerned, `osError` the
// operating system's code (0 when the system reported none).
class ExportError : public std::runtime_error {
public:
    enum class Step {
        ReadSource,       // the data file itself could not be read
        CreateDirectory,  // the target directory could not be made
        Write,            // writing, flushing or closing the copy
        Replace,          // renaming the copy to its final name
        ReadBack,         // reading the copy back
        Differs,          // the copy read back is not the file
        TargetIsLink,     // a symbolic link stands where the file goes
        DirectoryIsLink,  // the directory the file goes into is a symbolic link
        TargetIsNoFile,   // a directory (or a device) stands where the file goes
        CarrierGone,      // the carrier is no longer mounted as it was listed
    };
    ExportError(std::string place, std::string file, Step step, int osError);
    const std::string& place() const noexcept { return place_; }
    const std::string& file() const noexcept { return file_; }
    Step step() const noexcept { return step_; }
    int osError() const noexcept { return osError_; }

private:
    std::string place_;
    std::string file_;
    Step step_;
    int osError_;
};

// Copies `source` into `directory` (with its trailing separator; created
// when missing, its parent must exist) under the name `fileName`, replacing
// a file there. Returns the bytes copied. Raises ExportError naming `place`;
// after a failure the target holds no copy that was not proven: the
// temporary file is gone, and a copy that read back wrong is deleted.
std::string copyProven(const std::string& source, const std::string& directory, const std::string& fileName,
                       const std::string& place, data::FileSystem& fs = data::systemFileSystem());

}  // namespace talmorek::media
