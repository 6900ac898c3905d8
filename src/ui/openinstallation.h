#pragma once
// Opening the installation under the register's root cursor: the main window is laid out for
// its panel model, the model's dimensions are set, and the register window gives way to the
// main window, which shows page 0. Run by the register window's OK button and by its close.
// Nothing is reported to the user.

void OpenInstallation();
