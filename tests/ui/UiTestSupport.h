#pragma once
// Shared set-up of the toolkit tests: one QApplication for the process and a fresh
// toolkit application over the test resources for every test.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "ui/SOUI.h"

namespace uitest {

QApplication& EnsureQApp();
// Runs queued events and posted messages until none are left.
void ProcessEvents();
QString ResourceFolder();

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<SOUI::SApplication> app;
};

// Counts how often needle occurs in text.
int CountOf(const std::string& text, const std::string& needle);

}  // namespace uitest
