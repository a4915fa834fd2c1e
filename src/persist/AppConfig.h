#pragma once

#include <filesystem>
#include <string>

#include "records/AppRecords.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"

// The settings read from "config.xml" at start-up: the language, one device entry and the key
// lists the macro editor offers. Built before any screen, so its shapes are the first members
// of their groups and every later holder starts from the values read here.
class AppConfig {
public:
    using LanguageShape = shapes::Language;
    using DeviceShape = shapes::Device;
    using FuncKeyShape = shapes::FuncKeys;
    using CombKeyShape = shapes::CombKeys;

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
