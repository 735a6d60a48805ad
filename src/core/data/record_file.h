#pragma once
// The record-file component: a file of fixed-size records, opened, used and
// closed within one operation.
//
// Record i starts at byte i × size. `size()` counts whole records; a file
// whose length is not a multiple of the record size still has its partial
// last record "before the end", so reading through the file reaches it and
// fails: a damaged register never passes silently.
//
// Opening reads the whole file into memory (record files are small, the
// national precinct register is well under a megabyte), so a search through
// a register costs little more than reading it once.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/data/errors.h"
#include "core/data/file_system.h"

namespace talmorek::data {

// Reading through the records of a file already held in memory, with the
// failures of reading the file itself: a register that one check run
// searches many times is read from disk once and walked with a reader at
// every search. The bytes and the path must outlive the reader.
class RecordReader {
public:
    RecordReader(std::string_view data, std::size_t recordSize, const std::string& path)
        : data_(data), recordSize_(recordSize), path_(&path) {}

    // As RecordFile::readView.
    std::string_view readView() {
        std::size_t start = position_ * recordSize_;
        if (start + recordSize_ > data_.size()) failRead();
        ++position_;
        return data_.substr(start, recordSize_);
    }
    // As RecordFile::readRemaining.
    std::string_view readRemaining();
    bool atEnd() const { return position_ * recordSize_ >= data_.size(); }
    std::size_t position() const { return position_; }
    const std::string& path() const { return *path_; }

private:
    [[noreturn]] void failRead() const;

    std::string_view data_;
    std::size_t recordSize_;
    const std::string* path_;
    std::size_t position_ = 0;
};

// The failure of a file whose record `record` (0-based) is cut short, as
// reading that record raises it; for whoever judges a file whole before
// reading it record by record.
[[noreturn]] void failIncompleteRecord(const std::string& path, std::size_t record);

class RecordFile {
public:
    // Opens an existing file for reading and writing at record 0 (a missing
    // or write-protected file fails).
    static RecordFile openExisting(const std::string& path, std::size_t recordSize,
                                   FileSystem& fs = systemFileSystem());
    // Creates the file, or empties an existing one, at record 0.
    static RecordFile create(const std::string& path, std::size_t recordSize, FileSystem& fs = systemFileSystem());
    // Deletes the file; a missing one fails too.
    static void remove(const std::string& path, FileSystem& fs = systemFileSystem());
    // The whole content of an existing file, read as openExisting reads it
    // (and failing as it fails) and closed again; to be walked with a
    // RecordReader.
    static std::string readContents(const std::string& path, std::size_t recordSize,
                                    FileSystem& fs = systemFileSystem());

    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();  // closes a file still open, its result ignored

    // The record at the current position; advances by one record.
    std::string read() { return std::string(readView()); }
    // The same without a copy; valid until the next write or close. Inline:
    // register searches call it once per record.
    std::string_view readView() {
        std::size_t start = position_ * recordSize_;
        if (start + recordSize_ > data_.size() || !file_) failRead();
        ++position_;
        return std::string_view(data_.data() + start, recordSize_);
    }
    // The whole records from the current position on, as one view, and the
    // position moved past them: a search through a large register walks this
    // instead of making a call per record. A partial last record is left
    // unread, so atEnd() stays false and the next read fails on it, exactly as
    // reading record by record would. Valid until the next write or close.
    std::string_view readRemaining();
    // Writes the record at the current position (overwriting or appending).
    void write(std::string_view record);
    void seek(std::size_t index);
    std::size_t size() const { return data_.size() / recordSize_; }
    std::size_t position() const { return position_; }
    bool atEnd() const { return position_ * recordSize_ >= data_.size(); }
    std::size_t byteSize() const { return data_.size(); }
    // A last record cut short fails here, by its index, as reading it would:
    // a file read whole must not drop what it cannot read unseen.
    void requireWholeRecords() const;
    void close();

    const std::string& path() const { return path_; }

private:
    RecordFile(std::unique_ptr<File> file, std::string path, std::size_t recordSize, std::string data);
    // `record` is the 0-based index of the record concerned, -1 for none.
    [[noreturn]] void fail(int osError, const std::string& what, long long record = -1) const;
    [[noreturn]] void failRead() const;

    std::unique_ptr<File> file_;
    std::string path_;
    std::size_t recordSize_ = 1;
    std::string data_;  // the file's content as it stands on disk
    std::size_t position_ = 0;
};

}  // namespace talmorek::data
