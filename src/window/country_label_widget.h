#pragma once

#include <QLabel>
#include <functional>

#include "window/country_labels.h"
#include "window/pictures.h"

namespace window {

// One of the invisible clickable rectangles over the map. It takes every left
// click that lands on it, so nothing beneath it ever sees the click; a label
// without a handler takes the click and does nothing with it.
class CountryLabelWidget : public QLabel {
    Q_OBJECT

public:
    CountryLabelWidget(const CountryLabel& entry, std::function<void()> onClick,
                       Pointers& pointers, QWidget* parent);

    const CountryLabel& entry() const { return entry_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const CountryLabel& entry_;
    std::function<void()> onClick_;
    bool pressed_ = false;
};

} // namespace window
