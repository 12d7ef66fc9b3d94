#include "window/control_clicks.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <algorithm>

#include "platform/event_delivery.h"

namespace window {

bool takesClicks(const QWidget& control)
{
    // The window's controls lie under every box it opens: the boxes are modal
    // to the whole application.
    const QWidget* modal = QApplication::activeModalWidget();
    return control.isVisible() && control.isEnabled()
           && (modal == nullptr || modal == control.window());
}

void onClick(QAbstractButton* button, platform::EventDelivery& delivery, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [button, &delivery, handler = std::move(handler)] {
                         if (takesClicks(*button))
                             delivery.deliver(handler);
                     });
}

void onChoice(QAction* command, platform::EventDelivery& delivery, std::function<void()> handler)
{
    QObject::connect(command, &QAction::triggered, command,
                     [command, &delivery, handler = std::move(handler)] {
                         const auto holders = command->associatedObjects();
                         const bool reachable = std::any_of(holders.begin(), holders.end(),
                             [](const QObject* holder) {
                                 const auto* menu = qobject_cast<const QWidget*>(holder);
                                 return menu != nullptr && takesClicks(*menu);
                             });
                         if (command->isVisible() && command->isEnabled() && reachable)
                             delivery.deliver(handler);
                     });
}

} // namespace window
