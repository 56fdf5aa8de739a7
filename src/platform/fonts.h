// Font faces and sizes.  The program names Windows' Japanese faces.  Where a face is missing (a
// Linux desktop, Wine, a Windows without its Japanese fonts) it is mapped at start-up to the IPA
// faces (drawn to the same metrics), with Noto CJK and then Windows' other Japanese faces behind,
// so that Japanese always shows.  A face that exists is used as it is.
#pragma once

#include <QFont>
#include <QString>

namespace tovi {

inline const QString kGothicFace = QStringLiteral("ＭＳ ゴシック");
inline const QString kPGothicFace = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kPMinchoFace = QStringLiteral("ＭＳ Ｐ明朝");

// Registers the face substitutions once per process.
void InstallFontSubstitutions();

// A font of the face whose character cell (ascent + descent) is cellHeight pixels.
QFont FontForCellHeight(const QString& face, int cellHeight);

// A font of the face at the given size in points, at 96 dots per inch.
QFont FontForPoints(const QString& face, int points);

// A font of the face whose characters are `pixels` high (the em size).
QFont FontForPixels(const QString& face, int pixels);

}  // namespace tovi
