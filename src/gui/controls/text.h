#pragma once
// The core's texts are UTF-8; Qt's are QString. Messages of the commands
// break their lines with "\r", which Qt shows with "\n".
#include <QString>
#include <string_view>

namespace talmorek::gui {

inline QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString withLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

inline QString displayText(std::string_view utf8) { return withLineBreaks(fromUtf8(utf8)); }

}  // namespace talmorek::gui
