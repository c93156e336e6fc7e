#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace naklon {

// The one crossing between the windows' texts (QString) and the core's and
// the pages' (UTF-8 in std::string): field texts go to the calculations,
// result lines, captions and messages come back.
//   qtText("Хомуты") -> u"Хомуты"      coreText(u"2,5") -> "2,5"
QString qtText(std::string_view utf8);
std::string coreText(QStringView text);

} // namespace naklon
