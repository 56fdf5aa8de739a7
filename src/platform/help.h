// How the guide opens, where the systems differ: help_posix.cpp and
// help_windows.cpp.
#pragma once

#include <QString>

namespace tovi {

// Windows' help file, opened by its bare name in the program's folder.
inline const QString kHelpFileName = QStringLiteral("Tovihlp.chm");

// True where ヘルプ and the version dialog's link open the guide's pages in
// the program's own help window: on Linux, where no desktop has a viewer of
// the help file in Japanese.  False on Windows, where ヘルプ hands the help
// file to the system's HTML Help and the link the page about the program to
// the browser.
bool GuideInHelpWindow();

}  // namespace tovi
