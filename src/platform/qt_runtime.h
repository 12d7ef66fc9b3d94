#pragma once

#include <QPointer>
#include <QWidget>

#include "game/services.h"
#include "platform/clock_random.h"
#include "platform/event_delivery.h"
#include "sound/sound_player.h"

namespace platform {

// The game's runtime on Qt and the sound service: message boxes, sound, a
// clock-seeded random source, the program's folder and the end of the program.
// Its boxes and its end are told to the delivery that runs the game's handlers.
class QtRuntime final : public game::Runtime {
public:
    explicit QtRuntime(EventDelivery& delivery) : delivery_(delivery) {}

    // The window the boxes belong to, so they open centred over it.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    void msgBox(std::string_view prompt, game::BoxStyle style,
                std::optional<std::string_view> title) override;
    void playSound(const std::string& fullPath) override;
    void randomize() override;
    float rnd() override;
    std::string appPath() override;
    void end() override;

private:
    EventDelivery& delivery_;
    QPointer<QWidget> dialogParent_;
    ClockRandom random_;
    sound::SoundPlayer sound_;
};

} // namespace platform
