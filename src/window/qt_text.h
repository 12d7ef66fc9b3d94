#pragma once

#include <QString>
#include <string_view>

namespace window {

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace window
