#pragma once

#include <QByteArrayView>
#include <QString>
#include <string_view>

namespace platform {

// The program's texts are UTF-8; this is the one place they become QStrings.
inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(QByteArrayView(text));
}

} // namespace platform
