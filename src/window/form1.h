#pragma once

#include <QMainWindow>

#include "game/quiz.h"
#include "game/services.h"

class QLabel;
class QPushButton;
class QTimer;

namespace platform {
class QtRuntime;
}

namespace window {

// The game's one window: the map, the start and exit buttons, the counters.
class Form1 : public QMainWindow, private game::FormControls {
    Q_OBJECT

public:
    explicit Form1(platform::QtRuntime& runtime, QWidget* parent = nullptr);

    game::Quiz& quiz() { return quiz_; }

private:
    void setLblreg(std::string_view caption) override;
    void setLblpunti(std::string_view caption) override;
    void setLblerrori(std::string_view caption) override;
    void setCommand2Visible(bool visible) override;
    void cls() override;

    void loadControls();

    game::Quiz quiz_;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* lblreg = nullptr;
    QLabel* lblpunti = nullptr;
    QLabel* lblerrori = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace window
