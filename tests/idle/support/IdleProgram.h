#pragma once
// The whole program as start-up runs it, on the event loop of this process's QApplication,
// with the emulated keyboard and folders of its own, measured while nobody uses it: first
// with the window shown, then with it hidden as to the tray.
#include <chrono>

#include "support/ProcessActivity.h"

struct IdleFigures {
    bool keyboardShown = false;  // the connection read reached the window before measuring
    ActivityRate shown;
    ActivityRate hidden;
};

// Measures `span` in each state after start-up has settled.
IdleFigures MeasureIdleProgram(std::chrono::milliseconds span);
