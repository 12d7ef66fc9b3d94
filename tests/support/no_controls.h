#pragma once

#include "game/services.h"

namespace testsupport {

// The window's controls where a test has no window and looks at none of them.
class NoControls final : public game::FormControls {
public:
    void setLblreg(std::string_view) override {}
    void setLblpunti(std::string_view) override {}
    void setLblerrori(std::string_view) override {}
    void setCommand2Visible(bool) override {}
    void cls() override {}
};

} // namespace testsupport
