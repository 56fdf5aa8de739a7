#include "platform/fonts.h"

#include <QFontMetrics>
#include <QHash>

namespace tovi {

void InstallFontSubstitutions() {
    static const bool done = [] {
        QFont::insertSubstitutions(kGothicFace, {"IPAGothic", "Noto Sans Mono CJK JP", "MS Gothic",
                                                 "Yu Gothic", "Meiryo"});
        QFont::insertSubstitutions(
            kPGothicFace, {"IPAPGothic", "Noto Sans CJK JP", "MS PGothic", "Yu Gothic", "Meiryo"});
        QFont::insertSubstitutions(kPMinchoFace, {"IPAPMincho", "Noto Serif CJK JP", "MS PMincho",
                                                  "Yu Mincho", "MS Mincho"});
        return true;
    }();
    (void)done;
}

QFont FontForPixels(const QString& face, int pixels) {
    QFont font(face);
    font.setPixelSize(pixels > 0 ? pixels : 1);
    return font;
}

QFont FontForPoints(const QString& face, int points) {
    // Points at 96 dpi, rounded as the desktop does: 12 pt is 16 pixels.
    return FontForPixels(face, (points * 96 + 36) / 72);
}

QFont FontForCellHeight(const QString& face, int cellHeight) {
    static QHash<QPair<QString, int>, int> cache;
    const auto key = qMakePair(face, cellHeight);
    if (auto it = cache.constFind(key); it != cache.constEnd()) return FontForPixels(face, *it);
    // Scale from a reference size, then step down until the cell fits.
    const int reference = QFontMetrics(FontForPixels(face, 100)).height();
    int pixels = reference > 0 ? (cellHeight * 100 + reference / 2) / reference : cellHeight;
    if (pixels < 1) pixels = 1;
    while (pixels > 1 && QFontMetrics(FontForPixels(face, pixels)).height() > cellHeight) --pixels;
    cache.insert(key, pixels);
    return FontForPixels(face, pixels);
}

}  // namespace tovi
