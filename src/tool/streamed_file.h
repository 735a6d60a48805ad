#pragma once
// An output the tool writes piece by piece (a batch's rows) with the same
// promise as every file it writes whole: the pieces go to a temporary file
// beside the target, and only `commit` — flushed to the disk, renamed over
// the target, the directory flushed — makes them the file. A run that fails
// or is killed before leaves the previous file as it was; the temporary is
// removed unless the process died.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/data/file_system.h"

namespace talmorek::tool {

class StreamedFile {
public:
    // IoError naming `path` when the temporary file cannot be made.
    explicit StreamedFile(std::string path, data::FileSystem& fs = data::systemFileSystem());
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    // Appends; IoError naming the target on failure.
    void write(std::string_view bytes);
    // Makes the pieces the file; IoError naming the target on failure.
    void commit();

private:
    std::string path_;
    std::string temp_;
    data::FileSystem& fs_;
    std::unique_ptr<data::File> file_;
    std::size_t size_ = 0;
    bool committed_ = false;
};

}  // namespace talmorek::tool
