#include "ops/GuardedOutcome.h"

#include <exception>
#include <new>
#include <string>

Outcome Guarded(const std::function<Outcome()>& work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return {kExitKeyboard, "there was not enough memory to carry it out"};
    } catch (const std::exception& error) {
        return {kExitKeyboard, std::string("it failed: ") + error.what()};
    }
}
