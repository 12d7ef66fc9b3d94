#include "app/display_check.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace app {

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

QtMessageHandler passOn = nullptr;
std::vector<HeldMessage> held;

std::string described(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0'
        ? std::string(variable) + "=\"" + value + "\""
        : std::string(variable) + " not set";
}

[[noreturn]] void reportNoDisplay()
{
    const std::string line = "europa-quiz: cannot open the window: no usable display ("
                           + described("DISPLAY") + ", " + described("WAYLAND_DISPLAY") + ")\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // Nothing has been started yet that would need an orderly end.
    ::_exit(kNoDisplayStatus);
}

void startupHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        reportNoDisplay();
    const std::string_view category = context.category != nullptr ? context.category : "";
    if (category.starts_with("qt.qpa")) {
        held.push_back({type, context.file != nullptr ? context.file : "", context.line,
                        context.function != nullptr ? context.function : "", std::string(category),
                        text});
        return;
    }
    passOn(type, context, text);
}

} // namespace

DisplayGuard::DisplayGuard() : previous_(qInstallMessageHandler(startupHandler))
{
    passOn = previous_;
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previous_);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(),
                                         m.category.c_str());
        previous_(m.type, context, m.text);
    }
    held.clear();
}

} // namespace app
