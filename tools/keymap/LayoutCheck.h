#pragma once

#include <QSize>
#include <string>
#include <vector>

#include "KeyboardLayout.h"

// Everything wrong with the key list of a picture: a key count other than
// expected, a key outside the picture of size, two keys that overlap, a name
// the key table lacks. Empty when the keys are sound.
std::vector<std::string> CheckPictureKeys(const std::vector<KeyPlace>& keys, int expectedCount,
                                          QSize picture);

// The lit keys must be the first keys of the key-code order, so that key
// colour i and key code i belong to the same key.
std::vector<std::string> CheckKeyOrders(const std::vector<KeyPlace>& coded,
                                        const std::vector<KeyPlace>& lit);
