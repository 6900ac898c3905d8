#pragma once
// The program's windows come into being inside the data module's creation, in a fixed
// order: register window, connection form, trace window, progress dialog, model choice,
// main window. This is where that order lives.

// Makes the data module create the windows (idempotent). main() calls it before the first
// window exists; tests that want the data module without windows leave it out.
void installWindowCreation();
// Creates the data module into `DM`: it opens the register file named by the settings and
// then creates the windows. Errors reach the caller (the login).
void createDataModule();
// The body of the hook: creates every window that does not exist yet, in order.
void createProgramWindows();
