#include "app/display_guard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QScreen>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "app/window_room.h"

namespace app {

namespace {

// What Qt said while the guard lived, to name the cause by.
std::mutex heldTextsLock;
QStringList heldTexts;

// The standard error stream the program was given, while the guard holds back
// what is written to it; -1 otherwise. The display libraries write some
// complaints straight to it, outside Qt's messages.
std::atomic<int> realStderr{-1};
// Where it is held meanwhile: Qt's messages and the libraries' writes, in order.
int heldStderr = -1;

// Every signal whose default action ends the process.
constexpr std::array kEndingSignals{SIGABRT, SIGALRM, SIGBUS, SIGFPE, SIGHUP, SIGILL, SIGINT,
                                    SIGPIPE, SIGQUIT, SIGSEGV, SIGSYS, SIGTERM, SIGTRAP,
                                    SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ};
std::array<struct sigaction, kEndingSignals.size()> previousActions;

void writeAll(int fd, const char* data, ssize_t size) noexcept
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(size));
        if (written <= 0)
            return;
        data += written;
        size -= written;
    }
}

// Gives the program its standard error stream back, after what was held when
// `passOn`. Only calls that are safe in a signal handler.
void release(bool passOn) noexcept
{
    const int real = realStderr.exchange(-1);
    if (real < 0)
        return;
    char buffer[4096];
    off_t at = 0;
    ssize_t n = 0;
    while (passOn && (n = ::pread(heldStderr, buffer, sizeof buffer, at)) > 0) {
        writeAll(real, buffer, n);
        at += n;
    }
    ::dup2(real, STDERR_FILENO);
    ::close(real);
}

void endedWhileHeld(int signal)
{
    release(true);
    // The handler was reset on entry: once it returns, the signal ends the
    // process with its usual status (and core).
    ::raise(signal);
}

void exitWhileHeld()
{
    release(true);
}

void holdStderr()
{
    std::fflush(stderr);
    heldStderr = ::memfd_create("europa-quiz-startup", MFD_CLOEXEC);
    if (heldStderr < 0)
        return;
    realStderr = ::dup(STDERR_FILENO);
    ::dup2(heldStderr, STDERR_FILENO);

    static const bool exitHandled = std::atexit(exitWhileHeld) == 0;
    (void)exitHandled;
    struct sigaction action {};
    action.sa_handler = endedWhileHeld;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
        ::sigaction(kEndingSignals[i], &action, &previousActions[i]);
}

void stopHolding(bool passOn)
{
    std::fflush(stderr);
    if (heldStderr < 0)
        return;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
        ::sigaction(kEndingSignals[i], &previousActions[i], nullptr);
    release(passOn);
    ::close(heldStderr);
    heldStderr = -1;
}

bool askedForDiagnostics()
{
    return qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS") || qEnvironmentVariableIsSet("QT_LOGGING_RULES");
}

std::string described(const char* variable)
{
    const QByteArray value = qgetenv(variable);
    return !value.isEmpty() ? std::string(variable) + "=\"" + value.toStdString() + "\""
                            : std::string(variable) + " not set";
}

// What ended the start, in the player's words; unnamed when it is no cause
// the line knows, and what Qt said must explain it.
struct Cause {
    std::string line;
    bool named;
};

// The first thing Qt said that matches `pattern`, its first captured part.
QString heldMatch(const QString& pattern)
{
    const QRegularExpression expression(pattern);
    const std::lock_guard lock(heldTextsLock);
    for (const QString& text : std::as_const(heldTexts)) {
        const QRegularExpressionMatch match = expression.match(text);
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

// Why the platform plugin that answers to `name` does not load; empty when it
// loads, or when no plugin answers to the name.
QString loadFailure(const QString& name)
{
    QStringList folders = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& path : QCoreApplication::libraryPaths())
        folders.append(path + QStringLiteral("/platforms"));
    for (const QString& folder : std::as_const(folders)) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            QPluginLoader plugin(dir.filePath(file));
            const QJsonArray keys = plugin.metaData().value(QStringLiteral("MetaData")).toObject()
                                        .value(QStringLiteral("Keys")).toArray();
            if (!keys.contains(name))
                continue;
            // Opened as Qt opens it, to learn what the system's loader says.
            void* library = ::dlopen(QFile::encodeName(plugin.fileName()).constData(), RTLD_NOW | RTLD_LOCAL);
            if (library == nullptr)
                return QString::fromLocal8Bit(::dlerror());
            ::dlclose(library);
            return {};
        }
    }
    return {};
}

Cause causeOf(const QString& fatalText)
{
    const QString missing = heldMatch(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    if (!missing.isEmpty()) {
        QString available = fatalText.section(QStringLiteral("Available platform plugins are: "), 1).trimmed();
        if (available.endsWith(QLatin1Char('.')))
            available.chop(1);
        return {"there is no display system called \"" + missing.toStdString() + "\" ("
                    + described("QT_QPA_PLATFORM") + "; this machine has " + available.toStdString() + ")",
                true};
    }
    const QString unstarted = heldMatch(QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
    if (unstarted.isEmpty()) {
        // Given up on inside a platform plugin: its own words are the cause.
        return {"the display system could not start: " + fatalText.section(QLatin1Char('\n'), 0, 0).toStdString(),
                false};
    }
    const QString failure = loadFailure(unstarted);
    if (!failure.isEmpty())
        return {"the display plugin \"" + unstarted.toStdString() + "\" could not be loaded: " + failure.toStdString(),
                true};
    if (unstarted.startsWith(QLatin1String("wayland")))
        return {"no Wayland display to connect to (" + described("WAYLAND_DISPLAY") + ", "
                    + described("XDG_RUNTIME_DIR") + ")",
                true};
    if (unstarted == QLatin1String("xcb"))
        return {"no usable display (" + described("DISPLAY") + ", " + described("WAYLAND_DISPLAY") + ")", true};
    return {"the display system \"" + unstarted.toStdString() + "\" could not start", false};
}

[[noreturn]] void giveUp(const Cause& cause)
{
    stopHolding(!cause.named || askedForDiagnostics());
    const std::string line = "europa-quiz: cannot open the window: " + cause.line + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // Nothing has been started yet that would need an orderly end.
    ::_exit(kNoDisplayStatus);
}

void startupHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const QByteArray formatted = (qFormatLogMessage(type, context, text) + QLatin1Char('\n')).toLocal8Bit();
    writeAll(STDERR_FILENO, formatted.constData(), formatted.size());
    {
        const std::lock_guard lock(heldTextsLock);
        heldTexts.append(text);
    }
    if (type == QtFatalMsg)
        giveUp(causeOf(text));
}

} // namespace

DisplayGuard::DisplayGuard() : previous_(qInstallMessageHandler(startupHandler))
{
    holdStderr();
}

DisplayGuard::~DisplayGuard()
{
    // The display is there: what was said on the way is passed on as usual.
    stopHolding(true);
    qInstallMessageHandler(previous_);
    const std::lock_guard lock(heldTextsLock);
    heldTexts.clear();
}

void DisplayGuard::requireRoomFor(QSize logicalSize) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        giveUp({"the display system \"" + QGuiApplication::platformName().toStdString() + "\" reports no screen",
                true});
    const qreal scale = screen->devicePixelRatio();
    if (windowCanBeShown(screen->geometry().size(), scale, logicalSize))
        return;
    const QSize device = (QSizeF(logicalSize) * scale).toSize();
    const std::string why = scale > 0 ? " the window would be " + std::to_string(device.width()) + " by "
                                            + std::to_string(device.height()) + " pixels, more than the display can show"
                                      : " the window cannot be drawn";
    giveUp({"at scale " + QString::number(scale).toStdString() + why + " (" + described("QT_SCALE_FACTOR") + ")",
            true});
}

} // namespace app
