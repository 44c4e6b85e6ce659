// The real program from outside: it starts with its window shown and ends with exit code 0 however
// the window is closed.
#include <gtest/gtest.h>

#include "support/program_process.h"

namespace {

const std::wstring program = PROGRAM_BESIDE_TEST;

TEST(Program, ClosingTheWindowEndsTheProcessWithExitCodeZero) {
    ProgramProcess running(program);
    ASSERT_TRUE(running.started());
    ASSERT_NE(running.window(), nullptr);
    PostMessageW(running.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(running.waitForExit(), 0u);
}

TEST(Program, EscEndsTheProcessWithExitCodeZero) {
    ProgramProcess running(program);
    ASSERT_NE(running.window(), nullptr);
    EXPECT_EQ(GetForegroundWindow(), running.window());
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(running.waitForExit(), 0u);
}

TEST(Program, AgreesToEndTheSessionAndEndsWithIt) {
    ProgramProcess running(program);
    ASSERT_NE(running.window(), nullptr);
    EXPECT_TRUE(SendMessageW(running.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    PostMessageW(running.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(running.waitForExit(), 0u);
}

}  // namespace
