#pragma once
// An endpoint's outcome on the bus and back: the error name a refusal is sent under, and the
// outcome a command reads from an error reply.
#include <QDBusMessage>

#include "ops/KeyboardEndpoint.h"

// The error name of a failed outcome: a file's key changes not confirmed, a bad argument, or the
// keyboard's own failure.
const char* BusErrorName(const Outcome& outcome);

// The outcome an error reply (or no reply at all) stands for.
Outcome OutcomeOfError(const QDBusMessage& reply);
