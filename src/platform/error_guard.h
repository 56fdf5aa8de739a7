// The one guard around every event handler: a text that had to be a whole
// number and was not becomes the general error report, and what the handler
// had already done stays done.
#pragma once

#include <QString>

#include <string>
#include <utility>

#include "model/int_conversion.h"
#include "platform/dialogs.h"

namespace tovi {

// "'%s' は整数ではありません." with the offending text in place of %s.
QString NotAnIntegerMessage(const std::string& cp932Text);

template <typename Handler>
void RunGuarded(Dialogs& dialogs, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const ConversionError& error) {
        dialogs.Error(NotAnIntegerMessage(error.Text()));
    }
}

}  // namespace tovi
