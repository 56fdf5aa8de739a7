// A file name chosen in a dialog reaches the file system as a path; a name
// whose spelling there is not known must not be turned into another name.
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_name.h"

namespace tovi {
namespace {

namespace fs = std::filesystem;

// Where names are bytes the path is the name in UTF-8; on Windows it is the
// name itself, in UTF-16, with the folder separators Windows writes.
fs::path Native(const char8_t* utf8) {
#ifdef _WIN32
    return fs::path(QDir::toNativeSeparators(QString::fromUtf8(reinterpret_cast<const char*>(utf8)))
                        .toStdWString());
#else
    return fs::path(reinterpret_cast<const char*>(utf8));
#endif
}

TEST(TryQtToPath, GivesThePathOfANameOnlyWhenItsSpellingIsKnown) {
    const QChar loneSurrogate(char16_t(0xD800));
#ifdef _WIN32
    // Windows takes UTF-16 names as they are: what Qt lists is what exists.
    constexpr bool kNamesAreBytes = false;
#else
    constexpr bool kNamesAreBytes = true;
#endif
    const struct {
        const char* what;
        QString name;
        std::optional<fs::path> path;
    } cases[] = {
        {"plain", QStringLiteral("/tmp/roster.txt"), Native(u8"/tmp/roster.txt")},
        {"Japanese", QStringLiteral("/tmp/名簿　秋.txt"), Native(u8"/tmp/名簿　秋.txt")},
        {"characters beyond the basic plane", QStringLiteral("/tmp/\U0001F600.txt"),
         Native(u8"/tmp/\U0001F600.txt")},
        {"a NUL", QStringLiteral("/tmp/a") + QChar(u'\0') + QStringLiteral("b.txt"), std::nullopt},
        {"empty", QString(), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TryQtToPath(c.name), c.path) << c.what;
    for (const auto& c : cases) {
        if (!c.path) continue;
        EXPECT_EQ(PathToQt(*c.path), QDir::toNativeSeparators(c.name)) << c.what;
    }

    // Names whose bytes did not decode, as a dialog lists them where names
    // are bytes; on Windows these characters are a name's own.
    const QString listed = QFile::decodeName(QByteArray("/tmp/caf\xE9.txt"));
    const QString replaced = QStringLiteral("/tmp/caf\uFFFD.txt");
    const QString surrogate = QStringLiteral("/tmp/a") + loneSurrogate + QStringLiteral(".txt");
    for (const QString& name : {listed, replaced, surrogate})
        EXPECT_EQ(TryQtToPath(name).has_value(), !kNamesAreBytes) << name.toStdString();
}

}  // namespace
}  // namespace tovi
