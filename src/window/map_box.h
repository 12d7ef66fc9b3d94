#pragma once

#include <QWidget>

namespace window {

// The map picture box: a two-pixel sunken frame around an inner area that
// shows the map at its own size and clips whatever it holds.
class MapBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrameWidth = 2;

    explicit MapBox(QWidget* parent);

    // Where the country labels and the prompt line live; the map's top-left
    // pixel is its origin.
    QWidget* innerArea() const { return inner_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* inner_;
};

} // namespace window
