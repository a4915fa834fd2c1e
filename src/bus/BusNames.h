#pragma once
// The running window's address on the session bus.
#include "persist/AppPaths.h"

inline constexpr const char* kBusService = kApplicationId;
// The manager lists the keyboards; it also answers the keyboard interface for the window's
// keyboard, as scripts written before the keyboards had objects of their own call it there.
inline constexpr const char* kBusManagerPath = "/org/keylume/Keylume";
inline constexpr const char* kBusManagerInterface = "org.keylume.Manager1";
// The window drives one keyboard.
inline constexpr const char* kBusKeyboardPath = "/org/keylume/Keylume/Keyboard0";
inline constexpr const char* kBusInterface = "org.keylume.Keyboard1";
// Raised whenever members are added to either interface.
inline constexpr unsigned kBusApiVersion = 1;
// A call with arguments the command line would refuse: nothing was sent.
inline constexpr const char* kBusErrorInvalid = "org.keylume.Keyboard1.Error.InvalidArgument";
// The keyboard is absent or refused the command.
inline constexpr const char* kBusErrorKeyboard = "org.keylume.Keyboard1.Error.Keyboard";
// Another operation holds the keyboard (the window's own import, say): nothing was sent.
inline constexpr const char* kBusErrorBusy = "org.keylume.Keyboard1.Error.Busy";
// An import that would change what keys play: the window's own user confirms those. The error's
// text is a summary line, then one line per key.
inline constexpr const char* kBusErrorUnconfirmed = "org.keylume.Keyboard1.Error.Unconfirmed";
