// The lighting page under real input: modes, the settings each mode has, the colour panels and
// painting keys with a band.
#include "support/Scenario.h"

namespace e2e {
namespace {

class LightingScenario : public Scenario {};

TEST_F(LightingScenario, ProbeFindsTheMainWindowControls) {
    StartProgram();
    const Control more = WaitForControl("btn_more");
    EXPECT_FALSE(more.screen.isEmpty());
    const Control picture = WaitForControl("cbimg_led_effect");
    EXPECT_EQ(picture.screen.size(), QSize(1100, 330));
    KeepScreen("started");
}

}  // namespace
}  // namespace e2e
