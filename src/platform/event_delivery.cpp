#include "platform/event_delivery.h"

#include <QCoreApplication>
#include <exception>

#include "platform/message_box.h"

namespace platform {

namespace {
constexpr int kRunTimeErrorStatus = 1;
} // namespace

void EventDelivery::failWith(const char* what)
{
    if (ending_)
        return;
    // Nothing else may run while the error is on screen.
    ending_ = true;
    {
        const OpenBox open(*this);
        showRunTimeErrorBox(QStringLiteral("Run-time error:\n\n%1").arg(QString::fromUtf8(what)));
    }
    endProgram(kRunTimeErrorStatus);
}

void EventDelivery::deliver(const std::function<void()>& handler)
{
    if (ending_)
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

void EventDelivery::endProgram(int status)
{
    ending_ = true;
    status_ = status;
    QCoreApplication::exit(status);
}

} // namespace platform
