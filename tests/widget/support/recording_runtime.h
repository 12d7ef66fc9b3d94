#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "game/services.h"

namespace widget_tests {

// The game's runtime with real modal boxes and a real end of the program, but
// a random source the test sets and sounds that are only recorded.
class RecordingRuntime final : public game::Runtime {
public:
    void setDialogParent(QWidget* parent) { parent_ = parent; }
    // The value every draw gets: the country whose number is floor(29 r) + 1.
    void setRandom(float value) { random_ = value; }

    void msgBox(std::string_view prompt, game::BoxStyle style,
                std::optional<std::string_view> title) override;
    void playSound(const std::string& fullPath) override
    {
        sounds.push_back(fullPath);
        if (onSound)
            onSound();
    }
    void randomize() override {}
    float rnd() override { return random_; }
    std::string appPath() override { return "/quiz"; }
    void end() override;

    std::vector<std::string> sounds;
    std::function<void()> onSound;

private:
    QPointer<QWidget> parent_;
    float random_ = 0.0f;
};

// The random value that draws country `number`.
constexpr float randomFor(int number)
{
    return (static_cast<float>(number) - 0.5f) / 29.0f;
}

} // namespace widget_tests
