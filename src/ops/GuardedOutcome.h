#pragma once
// Work on a thread of its own (a bus call, the window's backup) must not end the program when it
// fails inside it, out of memory above all: the failure becomes the outcome instead.
#include <functional>

#include "ops/KeyboardEndpoint.h"

Outcome Guarded(const std::function<Outcome()>& work);
