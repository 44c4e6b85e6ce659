#pragma once
// Real input from the X server for a Windows test under Wine. xdotool, a Linux program that Wine
// starts like any other, moves the pointer, clicks and presses keys on the display the test runs
// on, so the program gets them exactly as it gets a user's. Without a window manager the keyboard
// follows the pointer: keys go to the window under it.

#include <windows.h>

#include <string>

// Runs `xdotool <commands>` and waits until it has sent everything; false if it could not be
// started or did not finish.
bool xdotool(const std::wstring& commands);

bool movePointer(POINT to);
bool clickAt(POINT at);
// Wheel steps downwards with the pointer where it is.
bool scrollDown(int steps = 1);
// xdotool key names separated by spaces, pressed one after the other: L"Tab", L"shift+Tab Return".
bool pressKeys(const std::wstring& keys);
