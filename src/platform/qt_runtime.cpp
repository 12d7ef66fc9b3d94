#include "platform/qt_runtime.h"

#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/qt_text.h"

namespace platform {

void QtRuntime::msgBox(std::string_view prompt, game::BoxStyle style,
                       std::optional<std::string_view> title)
{
    std::optional<QString> boxTitle;
    if (title)
        boxTitle = fromUtf8(*title);
    const EventDelivery::OpenBox open(delivery_);
    showMessageBox(dialogParent_, fromUtf8(prompt), style, boxTitle);
}

void QtRuntime::playSound(const std::string& fullPath)
{
    sound_.play(fullPath);
}

void QtRuntime::randomize()
{
    random_.randomize();
}

float QtRuntime::rnd()
{
    return random_.next();
}

std::string QtRuntime::appPath()
{
    return programFolder();
}

void QtRuntime::end()
{
    delivery_.endProgram(0);
}

} // namespace platform
