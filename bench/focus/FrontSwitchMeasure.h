#pragma once
// The keyboard following the front application, measured the same way on every display: rules
// send "first" to profile 1 and "second" to profile 2 on the emulated keyboard; each iteration
// brings the other forward and times until the keyboard shows its profile. Then the watch's idle
// cost while nothing changes. Goal: a median under 20 ms.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "focus/FrontWatch.h"

using StartWatch = std::function<std::unique_ptr<focus::FrontWatch>(focus::FrontHandler)>;
// Brings application 0 ("first") or 1 ("second") forward.
using BringForward = std::function<void(int application)>;

void MeasureFrontSwitches(benchmark::State& state, const StartWatch& startWatch,
                          const BringForward& bringForward);
