#pragma once

#include <QMainWindow>
#include <QRect>
#include <map>

#include "game/quiz.h"
#include "game/services.h"
#include "window/pictures.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace platform {
class EventDelivery;
}

namespace window {

class Announcer;
class MapBox;
struct CountryLabel;

// The game's one window: the map with its country labels and prompt line, the
// start and exit buttons, the counters, the menu bar. It owns the game and
// hands it every event of its controls.
class Form1 : public QMainWindow, private game::FormControls {
    Q_OBJECT

public:
    // The game plays the anthem as the window is made; whoever makes the
    // window tells the runtime which window its boxes open over. Every handler
    // of the game runs through `delivery`, which outlives the window.
    Form1(game::Runtime& runtime, platform::EventDelivery& delivery, QWidget* parent = nullptr);

protected:
    // For a subclass that reaches the game past the controls, as the widget
    // tests' window does; the window itself hands the game every event.
    game::Quiz& quiz() { return quiz_; }

    // The start button is the window's default button: Enter presses it
    // wherever the focus is, unless another push button has it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setLblreg(std::string_view caption) override;
    void setLblpunti(std::string_view caption) override;
    void setLblerrori(std::string_view caption) override;
    void setCommand2Visible(bool visible) override;
    void cls() override;

    void loadControls();
    QWidget* loadClientArea();
    void loadWindowLabels(QWidget* client);
    void loadWindowedControls(QWidget* client);
    void loadMapContents(QWidget* map);
    void countryLabelClick(const CountryLabel& label);
    static QString spokenCount(const QLabel* heading, const QString& value);
    void showCount(QLabel* counter, std::string_view caption);

    platform::EventDelivery& delivery_;
    game::Quiz quiz_;
    Pointers pointers_;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text1 = nullptr;
    MapBox* Picture2 = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Label42 = nullptr;
    QLabel* lblreg = nullptr;
    QLabel* lblpunti = nullptr;
    QLabel* lblerrori = nullptr;
    QTimer* Timer1 = nullptr;
    // Each counter with the heading that says what it counts.
    std::map<QLabel*, const QLabel*> counterHeadings_;
    Announcer* announcer_ = nullptr;
};

} // namespace window
