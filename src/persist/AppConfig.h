#pragma once

#include <filesystem>
#include <string>

#include "records/AppRecords.h"
#include "store/Shape.h"

// The settings read from "config.xml" at start-up: the language, one device entry and the key
// lists the macro editor offers. Built before any screen, so its shapes are the first members
// of their groups and every later holder starts from the values read here.
class AppConfig {
public:
    using LanguageShape = ShapeType<std::wstring, -1717986919, 1, 0>;
    using DeviceShape = ShapeType<UsbInfo, 1, 1, 1>;
    using FuncKeyShape = ShapeType<MacroFuncKey, 1, 1, 1>;
    using CombKeyShape = ShapeType<MacroCombKey, 1, 1, 0>;

    AppConfig() = default;
    AppConfig(const AppConfig&) = delete;
    AppConfig& operator=(const AppConfig&) = delete;

    // Reads the file into the shapes without publishing; true when it was read. A missing or
    // malformed file keeps the values of construction.
    bool Load(const std::filesystem::path& file);

    // Loads the user's file, or the shipped one when the user's cannot be read. Returns what
    // the user should hear of it (which file was used and why), or nothing when all went well.
    std::string LoadWithFallback(const std::filesystem::path& userFile,
                                 const std::filesystem::path& shippedFile);

    const LanguageShape& language() const { return language_; }
    const DeviceShape& device() const { return device_; }
    const FuncKeyShape& funcKeys() const { return funcKeys_; }
    const CombKeyShape& combKeys() const { return combKeys_; }

private:
    LanguageShape language_;
    DeviceShape device_;
    FuncKeyShape funcKeys_;
    CombKeyShape combKeys_;
};
