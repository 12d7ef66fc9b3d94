#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

namespace widget_tests {

// What a message box showed the player.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// Watches for the program's modal message boxes: records each one as it opens,
// lets the test look at the window while it is open, then presses its button.
class BoxCloser : public QObject {
public:
    // `holdMs`: how long each box stays open before it is closed.
    explicit BoxCloser(int holdMs = 0);

    // Called with each box as it opens, before it is closed.
    void onOpen(std::function<void(const SeenBox&)> callback) { onOpen_ = std::move(callback); }

    const std::vector<SeenBox>& seen() const { return seen_; }
    std::vector<QString> texts() const;
    void clear() { seen_.clear(); }

private:
    void look();

    int holdMs_;
    QTimer poll_;
    QPointer<QMessageBox> current_;
    std::vector<SeenBox> seen_;
    std::function<void(const SeenBox&)> onOpen_;
};

} // namespace widget_tests
