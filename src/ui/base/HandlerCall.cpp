#include "ui/base/HandlerCall.h"

#include "ui/base/AppTitle.h"
#include "ui/base/Conversions.h"
#include "ui/base/Dialogs.h"

#include <exception>

void ShowHandlerException() {
    QString message;
    try {
        throw;
    } catch (const ConversionError& error) {
        message = error.message();
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message.clear();
    }
    Dialogs::MessageBox(message, AppTitle(), Dialogs::kOkStop);
}
