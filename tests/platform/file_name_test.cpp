// A file name chosen in a dialog reaches the file system as bytes; a name
// whose bytes are not known must not be turned into another name.
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/qt_text.h"

namespace tovi {
namespace {

TEST(TryQtToFileName, GivesTheBytesOfANameOnlyWhenTheyAreKnown) {
    const QChar loneSurrogate(char16_t(0xD800));
    const struct {
        const char* what;
        QString name;
        std::optional<std::string> bytes;
    } cases[] = {
        {"plain", QStringLiteral("/tmp/roster.txt"), "/tmp/roster.txt"},
        {"Japanese", QStringLiteral("/tmp/名簿　秋.txt"), "/tmp/名簿　秋.txt"},
        {"characters beyond the basic plane", QStringLiteral("/tmp/\U0001F600.txt"),
         "/tmp/\xF0\x9F\x98\x80.txt"},
        {"bytes that did not decode", QStringLiteral("/tmp/caf\uFFFD.txt"), std::nullopt},
        {"an unpaired surrogate", QStringLiteral("/tmp/a") + loneSurrogate + QStringLiteral(".txt"),
         std::nullopt},
        {"a NUL", QStringLiteral("/tmp/a") + QChar(u'\0') + QStringLiteral("b.txt"), std::nullopt},
        {"empty", QString(), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TryQtToFileName(c.name), c.bytes) << c.what;

    // A name as the dialog lists a file whose name is not valid UTF-8.
    const QString listed = QFile::decodeName(QByteArray("/tmp/caf\xE9.txt"));
    EXPECT_EQ(TryQtToFileName(listed), std::nullopt);
}

}  // namespace
}  // namespace tovi
