// Everything the running program is made of, set up in one place: the Qt
// translation for the desktop's own dialogs, the sources of chance, the real
// dialogs and the main window.  Needs the QApplication to exist.
#pragma once

#include <QTranslator>

#include <filesystem>
#include <memory>
#include <optional>

#include "grouping/random_source.h"
#include "platform/dialogs.h"
#include "platform/system_clock.h"
#include "ui/main/main_window.h"

namespace tovi {

// Where the recovery file is kept: "tovi" in the user's data folder;
// nothing where there is none or its name cannot be spelled as a path.
std::optional<std::filesystem::path> RecoveryFolder();

class Program {
public:
    Program();
    MainWindow& Window() { return *window_; }
    // Shows the window, then, once it has been painted, offers the scores a
    // run that did not end normally left in the recovery file.
    void Start();

private:
    QTranslator qtTranslator_;
    LcgRandom random_;
    SystemClock clock_;
    QtDialogs dialogs_{nullptr};
    std::unique_ptr<MainWindow> window_;
};

}  // namespace tovi
