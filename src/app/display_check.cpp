#include "app/display_check.h"

#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
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
// Where the standard error stream went before creation: the display libraries
// write some complaints straight to it, outside Qt's messages.
int savedStderr = -1;
int heldStderr = -1;

std::string described(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0'
        ? std::string(variable) + "=\"" + value + "\""
        : std::string(variable) + " not set";
}

// The platform plugin that Qt could not find, or could find but not start.
QString pluginNamed(const QString& pattern)
{
    const QRegularExpression expression(pattern);
    for (const HeldMessage& message : held) {
        const QRegularExpressionMatch match = expression.match(message.text);
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

// Why there is no window, in the player's words, from what Qt said on the way.
std::string reason(const QString& fatalText)
{
    const QString missing = pluginNamed(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    if (!missing.isEmpty()) {
        QString available = fatalText.section(QStringLiteral("Available platform plugins are: "), 1).trimmed();
        if (available.endsWith(QLatin1Char('.')))
            available.chop(1);
        return "there is no display system called \"" + missing.toStdString() + "\" ("
             + described("QT_QPA_PLATFORM") + "; this machine has " + available.toStdString() + ")";
    }
    const QString unstarted = pluginNamed(QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
    if (unstarted.startsWith(QLatin1String("wayland")))
        return "no Wayland display to connect to (" + described("WAYLAND_DISPLAY") + ", "
             + described("XDG_RUNTIME_DIR") + ")";
    return "no usable display (" + described("DISPLAY") + ", " + described("WAYLAND_DISPLAY") + ")";
}

void restoreStderr()
{
    if (savedStderr < 0)
        return;
    std::fflush(stderr);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    savedStderr = -1;
}

[[noreturn]] void reportNoDisplay(const QString& fatalText)
{
    restoreStderr();
    const std::string line = "europa-quiz: cannot open the window: " + reason(fatalText) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // Nothing has been started yet that would need an orderly end.
    ::_exit(kNoDisplayStatus);
}

void startupHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        reportNoDisplay(text);
    held.push_back({type, context.file != nullptr ? context.file : "", context.line,
                    context.function != nullptr ? context.function : "",
                    context.category != nullptr ? context.category : "", text});
}

} // namespace

DisplayGuard::DisplayGuard() : previous_(qInstallMessageHandler(startupHandler))
{
    passOn = previous_;
    std::fflush(stderr);
    heldStderr = ::memfd_create("europa-quiz-startup", MFD_CLOEXEC);
    if (heldStderr >= 0) {
        savedStderr = ::dup(STDERR_FILENO);
        ::dup2(heldStderr, STDERR_FILENO);
    }
}

DisplayGuard::~DisplayGuard()
{
    restoreStderr();
    // Creation succeeded: what was said on the way is passed on as usual.
    if (heldStderr >= 0) {
        char buffer[4096];
        ssize_t n = 0;
        ::lseek(heldStderr, 0, SEEK_SET);
        while ((n = ::read(heldStderr, buffer, sizeof buffer)) > 0) {
            if (::write(STDERR_FILENO, buffer, static_cast<std::size_t>(n)) < 0)
                break;
        }
        ::close(heldStderr);
        heldStderr = -1;
    }
    qInstallMessageHandler(previous_);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(),
                                         m.category.c_str());
        previous_(m.type, context, m.text);
    }
    held.clear();
}

} // namespace app
