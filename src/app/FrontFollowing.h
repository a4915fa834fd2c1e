#pragma once
// The keyboard following the application in front: the switch by the user's rules and the
// watch of the display the window runs on.
#include <memory>

#include "focus/FrontWatch.h"
#include "ops/FrontSwitch.h"
#include "persist/AppPaths.h"

class FrontFollowing {
public:
    FrontFollowing(KeyboardOperations& operations, const AppPaths& paths);
    ~FrontFollowing();

    FrontSwitch& Switch() { return switch_; }

private:
    FrontSwitch switch_;
    // Destroyed first: no front change reaches the switch after that.
    std::unique_ptr<focus::FrontWatch> watch_;
};
