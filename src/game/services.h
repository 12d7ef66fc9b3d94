#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace game {

enum class BoxStyle : int {
    Plain = 0,        // an OK button only
    Exclamation = 48, // an OK button and the exclamation icon
};

// What the game asks of the runtime it runs on.
class Runtime {
public:
    virtual ~Runtime() = default;

    // Modal: returns once the player has closed the box. Without a title the
    // box carries the application's title.
    virtual void msgBox(std::string_view prompt, BoxStyle style,
                        std::optional<std::string_view> title = std::nullopt) = 0;
    // Starts playing a WAV file and returns at once, cutting off whatever was
    // still playing; a file that cannot be played is silence.
    virtual void playSound(const std::string& fullPath) = 0;
    virtual void randomize() = 0;
    // Uniform in [0, 1), never 1.
    virtual float rnd() = 0;
    virtual std::string appPath() = 0;
    // Ends the program at once with a success status; nothing is saved.
    virtual void end() = 0;
};

// The few things of the window that the game changes.
class FormControls {
public:
    virtual ~FormControls() = default;

    virtual void setLblreg(std::string_view caption) = 0;
    virtual void setLblpunti(std::string_view caption) = 0;
    virtual void setLblerrori(std::string_view caption) = 0;
    virtual void setCommand2Visible(bool visible) = 0;
    // Clears what was drawn on the window at run time; controls stay as they are.
    virtual void cls() = 0;
};

} // namespace game
