#include "tool/streamed_file.h"

#include <filesystem>

#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/data/path_text.h"

namespace talmorek::tool {

StreamedFile::StreamedFile(std::string path, data::FileSystem& fs)
    : path_(std::move(path)), temp_(data::temporaryPathFor(path_)), fs_(fs) {
    data::OpenResult opened = data::createTemporary(temp_, fs_);
    if (!opened.file) throw data::IoError(path_, opened.error, "cannot create the temporary file");
    file_ = std::move(opened.file);
}

StreamedFile::~StreamedFile() {
    if (committed_) return;
    if (file_) file_->close();
    fs_.remove(temp_);
}

void StreamedFile::write(std::string_view bytes) {
    if (const int error = file_->writeAt(size_, bytes)) throw data::IoError(path_, error, "cannot write");
    size_ += bytes.size();
}

void StreamedFile::commit() {
    int error = file_->sync();
    const int closed = file_->close();
    file_.reset();
    if (error == 0) error = closed;
    if (error == 0) error = fs_.rename(temp_, path_);
    if (error == 0) {
        const std::string dir = data::utf8Of(data::pathOf(path_).parent_path());
        error = fs_.syncDirectory(dir.empty() ? "." : dir);
    }
    if (error != 0) throw data::IoError(path_, error, "cannot write");
    committed_ = true;
}

}  // namespace talmorek::tool
