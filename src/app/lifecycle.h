#pragma once

// Replaces each of `kindTables` with a fresh copy of its constant table. The new copy is complete
// before the old one is released, so a table is never half built.
void onMainWindowCreated();

// The exit routine: releases every table and text once.
void releaseTables();

// Sets the four tables to empty ones, the state before the main window exists.
void emptyTables();
