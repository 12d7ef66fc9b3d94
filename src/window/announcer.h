#pragma once

#include <QWidget>

namespace window {

// Tells a screen reader a short text once, wherever its focus is, as a
// desktop notification is told. It is an object of the accessibility tree
// alone, a notification there: never shown, it takes no room, no click and no
// focus on the window.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    // The text becomes the notification's name, and the notification is
    // reported as shown: screen readers speak a notification as it shows.
    void announce(const QString& text);

signals:
    void announced(const QString& text);
};

} // namespace window
