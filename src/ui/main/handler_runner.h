// Runs the handlers of the main window's controls: each one finds the window
// built whole (the controls left for after the first paint are built first),
// and runs under the one guard that reports a text that had to be a whole
// number and was not.  Every area of the window connects its controls
// through it.
#pragma once

#include <QObject>

#include <functional>
#include <utility>

#include "platform/dialogs.h"
#include "platform/error_guard.h"

namespace tovi {

class HandlerRunner {
public:
    HandlerRunner(Dialogs& dialogs, std::function<void()> finishBuilding)
        : dialogs_(dialogs), finishBuilding_(std::move(finishBuilding)) {}

    template <typename Handler>
    void Run(Handler&& handler) const {
        RunGuarded(dialogs_, [&] {
            finishBuilding_();
            std::forward<Handler>(handler)();
        });
    }

    // Runs the handler, guarded, whenever the sender gives the signal; the
    // signal's arguments are left aside.
    template <typename Sender, typename Signal, typename Handler>
    void Connect(Sender* sender, Signal signal, Handler handler) const {
        QObject::connect(sender, signal, sender, [this, handler] { Run(handler); });
    }

private:
    Dialogs& dialogs_;
    std::function<void()> finishBuilding_;
};

}  // namespace tovi
