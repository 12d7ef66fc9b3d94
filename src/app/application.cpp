#include "app/application.h"

#include <QApplication>

#include "app/application_creation.h"
#include "app/display_check.h"
#include "app/preload.h"
#include "app/window_placement.h"
#include "platform/event_delivery.h"
#include "platform/qt_runtime.h"
#include "window/form1.h"
#include "window/form1_layout.h"
#include "window/pictures.h"

namespace app {

int runApplication(int argc, char** argv, const DisplayTarget& target)
{
    StartUpPreload preload;
    const std::unique_ptr<QApplication> app = createApplication(argc, argv, target);
    requireDisplayShows(window::toPixels(window::layout::kClientArea).size());
    QApplication::setApplicationName(QStringLiteral("europa-quiz"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(EUROPA_APP_ID));
    QApplication::setWindowIcon(window::programIcon());

    platform::EventDelivery delivery;
    platform::QtRuntime runtime(delivery);
    preload.waitForFonts();
    window::Form1 form(runtime, delivery);
    runtime.setDialogParent(&form);
    if (delivery.programEnding())
        return delivery.exitStatus();
    placeOnScreen(form);
    form.show();
    const int status = QApplication::exec();
    return delivery.programEnding() ? delivery.exitStatus() : status;
}

} // namespace app
