#pragma once
// Texts of the commands are UTF-8 with "\r" where a message breaks its line;
// Qt wants QString and "\n".
#include <QString>
#include <string>

namespace talmorek::gui {

inline QString displayText(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace talmorek::gui
