#include "recording_runtime.h"

#include "platform/event_delivery.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"

namespace widget_tests {

using platform::fromUtf8;

void RecordingRuntime::msgBox(std::string_view prompt, game::BoxStyle style,
                              std::optional<std::string_view> title)
{
    std::optional<QString> boxTitle;
    if (title)
        boxTitle = fromUtf8(*title);
    platform::showMessageBox(parent_, fromUtf8(prompt), style, boxTitle);
}

void RecordingRuntime::end()
{
    platform::endProgram(0);
}

} // namespace widget_tests
