#pragma once
// A session bus of the test program's own, started before anything asks for the session bus and
// ended with the program; the programs the tests start inherit it.
#include <QString>

namespace bustest {

// The bus's address; starts the bus on first use (and the Qt application the bus needs).
QString Address();

}  // namespace bustest
