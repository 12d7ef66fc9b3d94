#pragma once

#include <QByteArrayView>
#include <QString>
#include <string_view>

namespace platform {

// The texts of the game's and the window's tables are UTF-8: each becomes a
// QString through here on its way to a caption, a menu or a message box.
inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(QByteArrayView(text));
}

} // namespace platform
