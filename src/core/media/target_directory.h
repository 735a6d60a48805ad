#pragma once
// The directory of an export target as a path. A mounted volume's and the
// program's own directory end in '/'; a drive letter's and a Windows
// program directory's in '\'. On a volume the kernel mounted, '\' is a
// character of a name like any other, so which separator to take off is the
// caller's to say, never guessed from the characters alone.

#include <string>
#include <string_view>

namespace talmorek::media {

// `path` without the `separator`s it ends with; a root ("/") keeps its one.
inline std::string withoutTrailingSeparator(std::string path, char separator) {
    while (path.size() > 1 && path.back() == separator) path.pop_back();
    return path;
}

// The separator a target's directory ends with, as the list of targets made
// it: '\' after a drive letter or a Windows program directory, '/' otherwise.
inline char separatorOf(std::string_view directory) {
    return !directory.empty() && directory.back() == '\\' ? '\\' : '/';
}

}  // namespace talmorek::media
