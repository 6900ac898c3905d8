#pragma once
// One place where the data-aware widgets report a refused value or a failed write: the table
// engine's message (or a widget's own, such as an incomplete masked entry) goes to the user in a
// message box. Tests install a handler of their own so that no box ever blocks them.

#include <QString>

#include <functional>

using DataErrorHandler = std::function<void(const QString& message)>;

// Shows `message` through the installed handler, by default the program's message box.
void showDataError(const QString& message);

// Installs `handler` (an empty one restores the message box) and returns the previous one.
DataErrorHandler setDataErrorHandler(DataErrorHandler handler);
