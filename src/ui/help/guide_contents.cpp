#include "ui/help/guide_contents.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace tovi {
namespace {

// The sitemap files of HTML Help spell a few characters as entities.
QString Unescape(QString text) {
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

}  // namespace

QString GuideFolder(const QString& programFolder, const QString& page) {
    const QDir folder(programFolder);
    const QString installed =
        QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/tovi/help")));
    const QString built = QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("help")));
    const auto holds = [&](const QString& dir) {
        return QFileInfo::exists(QDir(dir).filePath(page));
    };
    return !holds(installed) && holds(built) ? built : installed;
}

std::vector<GuideEntry> ReadGuideContents(const QString& text) {
    static const QRegularExpression part(
        QStringLiteral("<(/?)(ul)\\b[^>]*>|<object\\s[^>]*text/sitemap[^>]*>(.*?)</object>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(
        QStringLiteral("<param\\s+name\\s*=\\s*\"(\\w+)\"\\s+value\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<GuideEntry> entries;
    int lists = 0;
    for (auto it = part.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedLength(2) > 0) {  // a list opens or closes
            lists += match.captured(1).isEmpty() ? 1 : -1;
            continue;
        }
        GuideEntry entry;
        entry.depth = std::max(lists - 1, 0);
        for (auto p = param.globalMatch(match.captured(3)); p.hasNext();) {
            const QRegularExpressionMatch value = p.next();
            if (value.captured(1).compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                entry.title = Unescape(value.captured(2));
            else if (value.captured(1).compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0)
                entry.page = Unescape(value.captured(2));
        }
        // The site's own properties (the window's styles) name no page.
        if (!entry.title.isEmpty() && !entry.page.isEmpty()) entries.push_back(entry);
    }
    return entries;
}

}  // namespace tovi
