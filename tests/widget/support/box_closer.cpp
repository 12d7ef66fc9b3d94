#include "box_closer.h"

#include <QApplication>

namespace widget_tests {

namespace {
constexpr int kPollMs = 2;
}

BoxCloser::BoxCloser(int holdMs) : holdMs_(holdMs)
{
    connect(&poll_, &QTimer::timeout, this, &BoxCloser::look);
    poll_.start(kPollMs);
}

std::vector<QString> BoxCloser::texts() const
{
    std::vector<QString> texts;
    for (const SeenBox& box : seen_)
        texts.push_back(box.text);
    return texts;
}

void BoxCloser::look()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box == current_)
        return;
    current_ = box;
    seen_.push_back({box->windowTitle(), box->text(), box->icon()});
    if (onOpen_)
        onOpen_(seen_.back());
    QPointer<QMessageBox> guard(box);
    QTimer::singleShot(holdMs_, this, [guard] {
        if (guard)
            guard->accept();
    });
}

} // namespace widget_tests
