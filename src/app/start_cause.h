#pragma once

#include <QString>
#include <string>
#include <vector>

#include "app/display_target.h"

namespace app {

// Where Qt's plugin loader says why a plugin it found did not load.
inline constexpr const char* kPluginLoaderCategory = "qt.core.plugin.loader";

// One message Qt gave while the application was being created.
struct QtSaid {
    QString category;
    QString text;
};

// Names, in the player's words, why the display system could not start,
// from what Qt said on the way, in order, and its last, fatal, message: Qt
// reports which platform plugin it was asked for, whether one was found and,
// under the plugin loader's category, why a plugin it found did not load.
std::string causeOf(const std::vector<QtSaid>& said, const QString& fatalText, const DisplayTarget& target);

// The display a platform plugin connects to, as that line names it: `the
// display ":0"`, `the Wayland display "wayland-0"`.
std::string displayOf(const std::string& platform, const DisplayTarget& target);

// `-display ":0"`, `NAME="value"`, or `NAME not set`, for naming in that line
// the setting a cause came from.
std::string described(const Setting& setting);
std::string described(const char* variable);

} // namespace app
