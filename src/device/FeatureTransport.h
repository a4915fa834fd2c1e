#pragma once

#include <cstdint>

#include "device/DeviceCommand.h"
#include "device/DeviceLink.h"
#include "device/FeaturePacket.h"

// Writes length bytes of data (null: chunks of zero bytes) as command/sub, in chunks of at
// most 512 bytes, the first at transfer position offset. Returns the number of data bytes whose
// reports were accepted; 0 when the first report failed. Only the low 8 bits of sub are sent.
int SendFeature(DeviceLink& link, int command, int sub, std::uint32_t offset, const void* data,
                int length);

// Reads length bytes of command/sub into dest, one request and one answer per chunk. An answer
// counts only when it echoes the command with bit 7 set, the chunk's offset and the sub.
// Returns the number of bytes received; 0 means nothing was received.
int QueryFeature(DeviceLink& link, int command, int sub, void* dest, int length);
