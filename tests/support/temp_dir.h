#pragma once
// A fresh directory under the system's temporary directory, removed with
// everything in it when the test ends.

#include <string>
#include <string_view>

namespace talmorek::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory, ending with "/".
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + std::string(name); }

    void write(std::string_view name, std::string_view bytes) const;
    std::string read(std::string_view name) const;
    bool exists(std::string_view name) const;

private:
    std::string path_;
};

}  // namespace talmorek::testing
