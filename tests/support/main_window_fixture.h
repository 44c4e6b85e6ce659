#pragma once
// A fresh real main window for each test, made by the program's own code, as the program starts
// it: empty tables, then the window, which fills them; the tables are released afterwards.

#include <gtest/gtest.h>
#include <windows.h>

#include "app/lifecycle.h"
#include "support/screen.h"
#include "ui/main_window.h"

class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        emptyTables();
        SetCursorPos(0, 0);  // an open list follows the pointer; keep it away from the window
        window = createMainWindow(GetModuleHandleW(nullptr));
        pumpMessages(window, 200);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        pumpMessages(nullptr, 20);
        releaseTables();
    }

    HWND window = nullptr;
};
