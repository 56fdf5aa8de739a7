// The faces the program names show Japanese on every system: as themselves
// where they exist (Windows), through the substitutions elsewhere (Linux,
// Wine), never as empty boxes.
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "platform/fonts.h"

namespace tovi {
namespace {

TEST(Fonts, TheProgramsFacesShowJapanese) {
    InstallFontSubstitutions();
    const QString text = QStringLiteral("トヴィ組合せ登録印刷出場リーダ　楓林会スコア表１２");
    for (const QString& face : {kGothicFace, kPGothicFace, kPMinchoFace}) {
        SCOPED_TRACE(face.toStdString());
        const QFont font = FontForPixels(face, 16);
        const QFontMetrics metrics(font);
        for (const QChar c : text) EXPECT_TRUE(metrics.inFont(c)) << QString(c).toStdString();
        EXPECT_FALSE(QFontInfo(font).family().isEmpty());
    }
}

}  // namespace
}  // namespace tovi
