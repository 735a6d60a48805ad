#include "core/data/record_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace talmorek::data {
namespace {

std::string osText(int err) { return err ? std::string(": ") + std::strerror(err) : std::string(); }

// Reading record `position` (0-based) failed: beyond the end, or on a
// partial last record. One wording for the file and for its reader.
[[noreturn]] void failReadAt(const std::string& path, std::size_t position, bool atEnd) {
    const std::string what = atEnd ? "Read beyond the end of" : "Short record " + std::to_string(position + 1) + " in";
    throw IoError(path, 0, what + " '" + path + "'", atEnd ? -1 : static_cast<long long>(position));
}

}  // namespace

void failIncompleteRecord(const std::string& path, std::size_t record) { failReadAt(path, record, false); }

void RecordFile::requireWholeRecords() const {
    if (data_.size() % recordSize_ != 0) failIncompleteRecord(path_, size());
}

RecordFile::RecordFile(std::unique_ptr<File> file, std::string path, std::size_t recordSize, std::string data)
    : file_(std::move(file)), path_(std::move(path)), recordSize_(recordSize), data_(std::move(data)) {}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : file_(std::move(other.file_)),
      path_(std::move(other.path_)),
      recordSize_(other.recordSize_),
      data_(std::move(other.data_)),
      position_(other.position_) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        file_ = std::move(other.file_);
        path_ = std::move(other.path_);
        recordSize_ = other.recordSize_;
        data_ = std::move(other.data_);
        position_ = other.position_;
    }
    return *this;
}

RecordFile::~RecordFile() = default;

void RecordFile::fail(int osError, const std::string& what, long long record) const {
    throw IoError(path_, osError, what + " '" + path_ + "'" + osText(osError), record);
}

RecordFile RecordFile::openExisting(const std::string& path, std::size_t recordSize, FileSystem& fs) {
    OpenResult opened = fs.open(path, OpenMode::Update);
    if (!opened.file) throw IoError(path, opened.error, "Cannot open '" + path + "'" + osText(opened.error));
    std::string data;
    if (int err = opened.file->readAll(data)) throw IoError(path, err, "Cannot read '" + path + "'" + osText(err));
    return RecordFile(std::move(opened.file), path, recordSize, std::move(data));
}

RecordFile RecordFile::create(const std::string& path, std::size_t recordSize, FileSystem& fs) {
    OpenResult opened = fs.open(path, OpenMode::Create);
    if (!opened.file) throw IoError(path, opened.error, "Cannot create '" + path + "'" + osText(opened.error));
    return RecordFile(std::move(opened.file), path, recordSize, std::string());
}

void RecordFile::remove(const std::string& path, FileSystem& fs) {
    if (int err = fs.remove(path)) throw IoError(path, err, "Cannot delete '" + path + "'" + osText(err));
}

void RecordFile::failRead() const {
    if (!file_) fail(EBADF, "File is closed:");
    failReadAt(path_, position_, atEnd());
}

std::string RecordFile::readContents(const std::string& path, std::size_t recordSize, FileSystem& fs) {
    RecordFile file = openExisting(path, recordSize, fs);
    std::string data = std::move(file.data_);
    file.close();
    return data;
}

void RecordReader::failRead() const { failReadAt(*path_, position_, atEnd()); }

std::string_view RecordReader::readRemaining() {
    std::size_t start = position_ * recordSize_;
    if (start >= data_.size()) return {};
    std::size_t count = (data_.size() - start) / recordSize_;
    position_ += count;
    return data_.substr(start, count * recordSize_);
}

std::string_view RecordFile::readRemaining() {
    if (!file_) fail(EBADF, "File is closed:");
    std::size_t start = position_ * recordSize_;
    if (start >= data_.size()) return {};
    std::size_t count = (data_.size() - start) / recordSize_;
    position_ += count;
    return std::string_view(data_.data() + start, count * recordSize_);
}

void RecordFile::write(std::string_view record) {
    if (!file_) fail(EBADF, "File is closed:");
    if (record.size() != recordSize_) fail(EINVAL, "Wrong record size for");
    if (int err = file_->writeAt(position_ * recordSize_, record)) fail(err, "Cannot write");
    std::size_t start = position_ * recordSize_;
    if (data_.size() < start + recordSize_) data_.resize(start + recordSize_);
    data_.replace(start, recordSize_, record);
    ++position_;
}

void RecordFile::seek(std::size_t index) {
    if (!file_) fail(EBADF, "File is closed:");
    if (index > (data_.size() + recordSize_ - 1) / recordSize_) fail(EINVAL, "Seek beyond the end of");
    position_ = index;
}

void RecordFile::close() {
    if (file_) {
        const int err = std::exchange(file_, nullptr)->close();
        if (err != 0) fail(err, "Cannot close");
    }
}

}  // namespace talmorek::data
