// What every Win32 test stands on: the application object, made once for the test program as
// the program makes its own before any window. The common controls are not loaded here: the
// program loads them when its first dialog, sheet or subclassed control needs them, and the
// tests see it do so.
#include <gtest/gtest.h>

#include <memory>

#include "framework/App.h"

namespace {

struct ProgramEnvironment : ::testing::Environment {
    void SetUp() override { app = std::make_unique<CWinApp>(); }
    void TearDown() override { app.reset(); }
    std::unique_ptr<CWinApp> app;
};

::testing::Environment* const g_program =
    ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

} // namespace
