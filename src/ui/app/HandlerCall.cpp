#include "ui/app/HandlerCall.h"

#include "ui/app/AppTitle.h"
#include "ui/app/Conversions.h"
#include "ui/app/Dialogs.h"

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
