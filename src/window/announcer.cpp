#include "window/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace window {

namespace {

QAccessibleInterface* notificationFor(const QString& className, QObject* object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(notificationFor), true);
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::announce(const QString& text)
{
    setAccessibleName(text);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(text);
}

} // namespace window
