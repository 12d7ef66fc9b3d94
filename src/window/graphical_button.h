#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>

namespace window {

// A push button in the classic raised style: a flat background colour, a
// picture centred above a word-wrapped caption, and the same look whatever
// style the desktop runs. The caption stays the button's text, so assistive
// technology reads it as the button's name.
class GraphicalButton : public QPushButton {
    Q_OBJECT

public:
    GraphicalButton(const QString& caption, const QColor& background, const QImage& picture,
                    QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace window
