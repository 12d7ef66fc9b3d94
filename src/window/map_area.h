#pragma once

#include <QWidget>
#include <functional>
#include <optional>

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
    // Each takes the pointer where the window reports it, in the window's
    // own pixels: the position Qt hands a widget is rounded to a whole
    // logical pixel, which on a scaled screen is not the device pixel the
    // player points at.
    std::optional<QPoint> mapPixelAt(QPointF inWindow) const;
    const CountryLabel* labelUnder(QPointF inWindow) const;
    void pointAt(QPointF inWindow);

    Pointers& pointers_;
    LabelClick onLabelClick_;
    // The label a left press found, until the release.
    const CountryLabel* pressed_ = nullptr;
    // The pointer shown: the labels' flag or the globe between them.
    PointerPicture shown_ = PointerPicture::Globe;
};

} // namespace window
