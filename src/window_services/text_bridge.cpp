#include "window_services/text_bridge.h"

namespace naklon {

QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string coreText(QStringView text)
{
    return text.toUtf8().toStdString();
}

} // namespace naklon
