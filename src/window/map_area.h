#pragma once

#include <QWidget>
#include <functional>

#include "window/country_labels.h"
#include "window/pictures.h"

namespace window {

// The inside of the map picture box: it shows the map and takes the mouse
// itself. The country labels are rows of a table, not controls: the topmost
// shown label under the pointer (labelAt) receives the click, and the pointer
// over the map follows the same rule.
class MapArea : public QWidget {
    Q_OBJECT

public:
    // Runs for a click on a country label that has a handler.
    using LabelClick = std::function<void(const CountryLabel&)>;

    MapArea(Pointers& pointers, LabelClick onLabelClick, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    std::optional<QPoint> mapPixelAt(QPointF local) const;
    const CountryLabel* labelUnder(QPointF local) const;
    void pointAt(QPointF local);

    Pointers& pointers_;
    LabelClick onLabelClick_;
    // The label a left press found, until the release.
    const CountryLabel* pressed_ = nullptr;
    // The pointer shown; none: the globe of the map between the labels.
    std::optional<PointerPicture> shown_;
};

} // namespace window
