// Everything the running program is made of, set up in one place: the Qt
// translation for the desktop's own dialogs, the sources of chance, the real
// dialogs and the main window.  Needs the QApplication to exist.
#pragma once

#include <QTranslator>

#include <memory>

#include "grouping/random_source.h"
#include "platform/dialogs.h"
#include "platform/system_clock.h"
#include "ui/main_window.h"

namespace tovi {

class Program {
public:
    Program();
    TForm1& Form() { return *form_; }

private:
    QTranslator qtTranslator_;
    LcgRandom random_;
    SystemClock clock_;
    QtDialogs dialogs_{nullptr};
    std::unique_ptr<TForm1> form_;
};

}  // namespace tovi
