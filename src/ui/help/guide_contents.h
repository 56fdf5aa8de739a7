// The guide's pages as installed with the program: the folder that holds
// them, and its contents file (toc.hhc) read into entries.
#pragma once

#include <QString>

#include <vector>

namespace tovi {

// The page a guide opens on.
inline const QString kGuideStartPage = QStringLiteral("index.html");

// The folder of the guide's pages installed with the program: the data
// folder beside the program's folder (PREFIX/share/tovi/help beside
// PREFIX/bin), or help/ beside the program (its build folder; the program's
// folder on Windows), whichever holds page, the installed one first.  Where
// neither holds it, the installed folder.
QString GuideFolder(const QString& programFolder, const QString& page = kGuideStartPage);

// One entry of the guide's contents.
struct GuideEntry {
    QString title;
    QString page;   // a file of the guide's folder, e.g. "roster.html"
    int depth = 0;  // 0 for the top level, 1 for an entry under it ...
    friend bool operator==(const GuideEntry&, const GuideEntry&) = default;
};

// The entries of a contents file (toc.hhc, the sitemap lists of HTML Help),
// in their order.
std::vector<GuideEntry> ReadGuideContents(const QString& text);

}  // namespace tovi
