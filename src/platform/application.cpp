#include "platform/application.h"

#include <QApplication>

#include "platform/event_delivery.h"
#include "platform/qt_runtime.h"
#include "window/form1.h"

namespace platform {

int runApplication(int argc, char** argv)
{
    // The audio device opens on the sound thread while the toolkit connects to
    // the display, so the anthem is already queued when the window first shows,
    // and a device that is slow to open or to refuse never holds the window back.
    QtRuntime runtime;
    runtime.sound().warmUp();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("europa-quiz"));
    QApplication::setApplicationDisplayName(QStringLiteral("Europa Quiz"));

    window::Form1 form(runtime);
    if (programEnding())
        return exitStatus();
    form.show();
    const int status = QApplication::exec();
    return programEnding() ? exitStatus() : status;
}

} // namespace platform
