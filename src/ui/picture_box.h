#pragma once
// A borderless box that paints button face and its picture, and holds child controls. It passes
// its children's notifications on to its own parent, so the main window sees every click.

#include <windows.h>

#include <cstdint>
#include <span>

bool registerPictureBoxClass(HINSTANCE instance);

// Decodes the picture once, here; an undecodable picture leaves the box showing button face.
HWND createPictureBox(HWND parent, int id, RECT place, std::span<const std::uint8_t> jpeg);
