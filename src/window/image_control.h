#pragma once

#include <QImage>
#include <QWidget>

namespace window {

// An image control: its picture at the picture's own size from its top-left
// corner, cut off at its edges; it takes no clicks of its own. Painted from the
// image itself, which a picture kept in few colours needs: a pixmap would hold
// a 32-bit copy of all of it, where only the part not covered is ever seen.
class ImageControl : public QWidget {
    Q_OBJECT

public:
    ImageControl(const QImage& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace window
