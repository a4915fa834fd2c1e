#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

#include "ui/Application.h"

// The toolkit over the program's own UI folder, with every widget class of the program
// registered, on Qt's offscreen platform. Made once, by LLVMFuzzerInitialize of every target
// linking this file; lives until the process ends.
SOUI::SApplication& OffscreenApplication();

// The application with the fuzzer's bytes as the resource of that name.
SOUI::SApplication& OffscreenApplicationWith(const QString& resName, const std::uint8_t* data,
                                             std::size_t size);

// Deletes the widgets whose deletion was deferred.
void FlushDeferredDeletes();
