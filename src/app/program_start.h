#pragma once

// The start routine: prepares the tables, builds the main window and runs the event loop until
// the window is closed. Returns 0; the exit routine releases the tables afterwards.
int programStart();
