#pragma once
// What a test asks of the system it runs on, found out by trying: the
// same build runs as root or not, on Windows or under Wine.

#include <string>

namespace talmorek::testing {

// Whether a file's permissions bind this process: a read-only file then
// cannot be opened for writing. Not for root on Linux, nor under Wine run
// by root; always on Windows itself.
bool filePermissionsBind();

// Whether this process can make a symbolic link (Windows asks for a
// privilege, Wine and MinGW's runtime make none).
bool symbolicLinksCanBeMade();

// Whether two names that differ in letter case name two files (Linux),
// not the same one (Windows).
bool letterCaseTellsFilesApart();

// Whether a backslash separates directories in a path (Windows) rather
// than being a letter of a name like any other (Linux).
bool backslashSeparatesDirectories();

// A file held open by another program that shares it with nobody, as an
// editor or a virus scanner may on Windows. Where the system knows no such
// hold (Linux), nothing is held: `held()` says which.
class FileHeldElsewhere {
public:
    explicit FileHeldElsewhere(const std::string& path);
    ~FileHeldElsewhere();
    FileHeldElsewhere(const FileHeldElsewhere&) = delete;
    FileHeldElsewhere& operator=(const FileHeldElsewhere&) = delete;
    bool held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

}  // namespace talmorek::testing
