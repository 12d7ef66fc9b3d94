#include "platform/application.h"

#include <QApplication>
#include <optional>

#include "platform/display_check.h"
#include "platform/event_delivery.h"
#include "platform/qt_runtime.h"
#include "window/form1.h"

namespace platform {

int runApplication(int argc, char** argv)
{
    std::optional<QApplication> app;
    {
        // Without a display Qt gives up with a page of diagnostics and a core
        // dump; the player gets one line and a failure status instead.
        DisplayGuard guard;
        app.emplace(argc, argv);
    }
    QApplication::setApplicationName(QStringLiteral("europa-quiz"));
    QApplication::setApplicationDisplayName(QStringLiteral("Europa Quiz"));

    QtRuntime runtime;
    window::Form1 form(runtime);
    if (programEnding())
        return exitStatus();
    form.show();
    const int status = QApplication::exec();
    return programEnding() ? exitStatus() : status;
}

} // namespace platform
