// The byte-limited edit box on its own: what typing and pasting may put in it,
// its text as CP932 bytes, its clicks and whether it takes composition.
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "platform/byte_edit.h"

namespace tovi {
namespace {

TEST(ByteEditTest, AnEditKeepsTheWholeCharactersThatFitTheLimit) {
    const struct {
        const char* what;
        int maxBytes;
        const char* before;  // the text, with the cursor at its end
        const char* inserted;
        const char* after;
    } cases[] = {
        {"within the limit", 6, "ab", "山田", "ab山田"},
        {"exactly at the limit", 4, "ab", "山", "ab山"},
        {"a double-byte character cut whole", 3, "ab", "山", "ab"},
        {"the typed end cut", 5, "a", "山田太", "a山田"},
        {"half-width kana are one byte each", 3, "", "ｱｲｳｴ", "ｱｲｳ"},
        {"a full box takes nothing more", 2, "ab", "c", "ab"},
        {"no CP932 spelling: refused whole", 20, "ab", "山한", "ab"},
        {"an emoji refused", 20, "", "😀", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ByteEdit edit(nullptr, c.maxBytes);
        edit.setText(QString::fromUtf8(c.before));
        edit.end(false);
        edit.insert(QString::fromUtf8(c.inserted));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.after));
    }
}

TEST(ByteEditTest, TypingInTheMiddleCutsWhatWasTypedNotWhatFollows) {
    ByteEdit edit(nullptr, 4);
    edit.setText(QStringLiteral("ab"));
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, QStringLiteral("xyz"));
    EXPECT_EQ(edit.text(), QStringLiteral("axyb"));
    EXPECT_EQ(edit.cursorPosition(), 3);
}

TEST(ByteEditTest, BytesAndSetBytesSpeakCp932) {
    ByteEdit edit(nullptr, 40);
    edit.SetBytes(Utf8ToCp932("山田　ｱ1"));
    EXPECT_EQ(edit.text(), QStringLiteral("山田　ｱ1"));
    EXPECT_EQ(edit.Bytes(), Utf8ToCp932("山田　ｱ1"));
    EXPECT_EQ(edit.Bytes().size(), 8u);
    edit.SetBytes("");
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_EQ(edit.Bytes(), "");
    EXPECT_EQ(edit.MaxBytes(), 40);
}

TEST(ByteEditTest, OnlyTheLeftButtonClicks) {
    ByteEdit edit(nullptr, 10);
    edit.resize(80, 20);
    QSignalSpy clicks(&edit, &ByteEdit::clicked);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(&edit, Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ByteEditTest, NumberBoxesTakeNoComposition) {
    ByteEdit text(nullptr, 10);
    ByteEdit number(nullptr, 2, ByteEdit::InputMethod::Off);
    EXPECT_TRUE(text.TakesComposition());
    EXPECT_TRUE(text.inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_FALSE(number.TakesComposition());
    EXPECT_FALSE(number.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(number.inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_FALSE(number.inputMethodQuery(Qt::ImEnabled, QVariant()).toBool());
}

}  // namespace
}  // namespace tovi
