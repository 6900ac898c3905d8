#include "platform/dataerror.h"

#include "platform/dialogs.h"

namespace {
DataErrorHandler& installedHandler() {
    static DataErrorHandler handler;
    return handler;
}
} // namespace

void showDataError(const QString& message) {
    if (const DataErrorHandler& handler = installedHandler())
        handler(message);
    else
        ShowMessage(message);
}

DataErrorHandler setDataErrorHandler(DataErrorHandler handler) {
    DataErrorHandler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}
