#include "platform/event_delivery.h"

#include <QCoreApplication>
#include <exception>

#include "platform/message_box.h"

namespace platform {

namespace {
bool ending = false;
int status = 0;

constexpr int kRunTimeErrorStatus = 1;

void reportRunTimeError(const QString& what)
{
    showRunTimeErrorBox(QStringLiteral("Run-time error:\n\n%1").arg(what));
}

void failWith(const char* what)
{
    if (ending)
        return;
    // Nothing else may run while the error is on screen.
    ending = true;
    reportRunTimeError(QString::fromUtf8(what));
    endProgram(kRunTimeErrorStatus);
}
} // namespace

void deliver(const std::function<void()>& handler)
{
    if (ending)
        return;
    try {
        handler();
    } catch (const std::exception& error) {
        // The game's own run-time errors, and anything else a handler cannot
        // finish (running out of memory among them), end the program the same
        // way rather than tearing it down.
        failWith(error.what());
    }
}

void endProgram(int exitStatus)
{
    ending = true;
    status = exitStatus;
    QCoreApplication::exit(exitStatus);
}

bool programEnding()
{
    return ending;
}

int exitStatus()
{
    return status;
}

} // namespace platform
