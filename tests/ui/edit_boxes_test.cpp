// The edit boxes as a user meets them: which of them take input-method
// composition, how a commit or a paste longer than the box is cut, entering a
// box, and which mouse button makes a click.  Mouse events here go through the
// window, as the platform delivers them, so that a right press also brings
// the context-menu event a desktop sends with it.
#include <QClipboard>
#include <QInputMethodQueryEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <iterator>

#include "app/program.h"
#include "platform/input_method.h"
#include "ui/window_fixture.h"

namespace tovi::test {
namespace {

struct Box {
    const char* name;
    int mode;       // the mode in which the box is shown
    bool composes;  // takes input-method composition
    bool emptiedByClick;
};

const Box kBoxes[] = {
    {"Edit1", 1, true, true},   {"Edit2", 1, true, true},   {"Edit6", 2, false, true},
    {"Edit7", 3, true, false},  {"Edit8", 3, true, false},  {"Edit9", 3, false, true},
    {"Edit10", 3, false, true}, {"Edit11", 3, false, true}, {"Edit12", 3, false, true},
    {"Edit13", 3, false, true}, {"Edit14", 3, false, true}, {"Edit15", 3, true, false},
};

void EnterMode(MainWindow& form, int mode) {
    if (mode == 1) form.EnterRegistrationMode();
    if (mode == 2) form.EnterGroupingMode();
    if (mode == 3) form.EnterScoreSheetMode();
}

// A press and release of one button on a widget of a shown window, sent to
// the window.  Returns the texts of the popup menu the press opened (closed
// again at once), UTF-8 and without their shortcuts; empty when none opened.
std::vector<std::string> WindowClick(QWidget* widget, Qt::MouseButton button, QPoint at = {5, 5}) {
    std::vector<std::string> menu;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup) return;
        for (const QAction* action : popup->actions())
            if (!action->isSeparator())
                menu.push_back(action->text().section(QLatin1Char('\t'), 0, 0).toStdString());
        popup->close();
    });
    closer.start(5);
    QWindow* window = widget->window()->windowHandle();
    const QPoint p = widget->mapTo(widget->window(), at);
    QTest::mousePress(window, button, {}, p);
    QTest::mouseRelease(window, button, {}, p);
    // The context menu may open from a posted event.
    for (int i = 0; i < 5 && menu.empty(); ++i) QTest::qWait(10);
    return menu;
}

class EditBoxesTest : public WindowTest {
protected:
    void Show() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    using WindowTest::Edit;
    ByteEdit* Edit(const Box& box) { return Find<ByteEdit>(box.name); }
};

TEST_F(EditBoxesTest, TheNumberBoxesTakeNoComposition) {
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.name);
        ByteEdit* edit = Edit(box);
        EXPECT_EQ(edit->TakesComposition(), box.composes);
        EXPECT_EQ(edit->testAttribute(Qt::WA_InputMethodEnabled), box.composes);
        // The two ways Qt and the input-method plugins ask a focused widget.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(edit, &query);
        EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), box.composes);
        QVariant answer;
        ASSERT_TRUE(QMetaObject::invokeMethod(
            edit, "inputMethodQuery", Qt::DirectConnection, Q_RETURN_ARG(QVariant, answer),
            Q_ARG(Qt::InputMethodQuery, Qt::ImEnabled), Q_ARG(QVariant, QVariant())));
        EXPECT_EQ(answer.toBool(), box.composes);
        // Other questions get QLineEdit's answers.
        edit->setText(QStringLiteral("12"));
        QInputMethodQueryEvent surrounding(Qt::ImSurroundingText);
        QApplication::sendEvent(edit, &surrounding);
        EXPECT_EQ(surrounding.value(Qt::ImSurroundingText).toString(), QStringLiteral("12"));
    }
}

TEST_F(EditBoxesTest, EnteringABoxSwitchesTheInputMethodAsTheBoxAsks) {
    Show();
    if (!CurrentInputMethodStatus(*form))
        GTEST_SKIP() << "this desktop lets no program switch the input method (Windows does, "
                        "with a window of its own: not on the offscreen platform)";
    // Each box in turn, entered from a box of the other kind, so that every
    // switch is a change.
    for (const bool composing : {false, true}) {
        for (const Box& box : kBoxes) {
            if (box.composes != composing) continue;
            SCOPED_TRACE(box.name);
            const Box& other = *std::find_if(std::begin(kBoxes), std::end(kBoxes),
                                             [&](const Box& b) { return b.composes != composing; });
            EnterMode(*form, other.mode);
            Edit(other)->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            EnterMode(*form, box.mode);
            Edit(box)->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            const auto status = CurrentInputMethodStatus(*form);
            ASSERT_TRUE(status.has_value());
            EXPECT_EQ(status->open, box.composes);
            if (box.composes) {
                EXPECT_TRUE(status->hiragana);
            }
        }
    }
}

TEST_F(EditBoxesTest, ACommitOrPasteLongerThanTheBoxKeepsTheCharactersThatFit) {
    enum How { Compose, Paste, PasteOverAll };
    const struct {
        const char* edit;
        QString before;
        int cursor;  // where the insertion goes; -1 at the end
        How how;
        QString text;
        QString after;
        int cursorAfter;
    } cases[] = {
        // 10 bytes, room for two of the three.
        {"Edit1", "木村　五郎", -1, Compose, "長谷川", "木村　五郎長谷", 7},
        // One byte left: half a character is never kept.
        {"Edit1", "ABCDEFGHIJKLM", -1, Compose, "長", "ABCDEFGHIJKLM", 13},
        {"Edit1", "ABCDEFGHIJKL", -1, Compose, "長a", "ABCDEFGHIJKL長", 13},
        // In the middle: the text after the cursor stays whole.
        {"Edit1", "ABCDEFGHIJ", 2, Compose, "あいう", "ABあいCDEFGHIJ", 4},
        {"Edit2", "東町", -1, Paste, "あいうえおかきくけこ", "東町あいうえおか", 8},
        {"Edit1", "山田", -1, PasteOverAll, "長谷川一郎太郎次郎", "長谷川一郎太郎", 7},
        {"Edit15", "", -1, Compose, "あいうえおかきくけこさしすせそた",
         "あいうえおかきくけこさしすせそ", 15},
        {"Edit7", "秋季親睦会", 0, Paste, "第一回ａｂｃｄｅｆｇｈｉｊｋ",
         "第一回ａｂｃｄｅｆｇ秋季親睦会", 10},
        {"Edit13", "", -1, Paste, "123", "12", 2},
        {"Edit6", "", -1, Paste, "１２３", "１", 1},
        // Half-width katakana are one byte each.
        {"Edit9", "", -1, Paste, "ｱｲｳ", "ｱｲ", 2},
        // What fits is taken whole.
        {"Edit2", "東", -1, Compose, "町", "東町", 2},
        // A character CP932 cannot spell refuses the whole insertion.
        {"Edit1", "木村", -1, Paste, "長谷川\u00e9", "木村", 2},
    };
    for (const auto& c : cases) {
        ByteEdit* edit = Find<ByteEdit>(c.edit);
        SCOPED_TRACE((c.before + " + " + c.text).toStdString());
        edit->setText(c.before);
        edit->setCursorPosition(c.cursor < 0 ? static_cast<int>(c.before.size()) : c.cursor);
        if (c.how == Compose) {
            Commit(edit, c.text);
        } else {
            if (c.how == PasteOverAll) edit->selectAll();
            QGuiApplication::clipboard()->setText(c.text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(edit->text(), c.after);
        EXPECT_EQ(edit->cursorPosition(), c.cursorAfter);
        EXPECT_LE(edit->Bytes().size(), static_cast<std::size_t>(edit->MaxBytes()));
    }
}

TEST_F(EditBoxesTest, ACutNameIsRegisteredAsTheBoxShowsIt) {
    Click(Edit(1));
    Commit(Edit(1), QStringLiteral("木村　五郎"));
    Commit(Edit(1), QStringLiteral("長谷川"));
    Click(Button(6));
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(S().rosterList.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(S().rosterList[0]), "木村　五郎長谷,,男,0,0,0,0,0,");
}

TEST_F(EditBoxesTest, EnteringABoxByTabOrMouseSelectsNothing) {
    Show();
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.name);
        EnterMode(*form, box.mode);
        ByteEdit* edit = Edit(box);
        edit->setText(QStringLiteral("12"));

        form->setFocus();
        for (int tabs = 0; tabs < 60 && QApplication::focusWidget() != edit; ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), edit);
        EXPECT_FALSE(edit->hasSelectedText());
        EXPECT_EQ(edit->text(), QStringLiteral("12"));
        EXPECT_EQ(edit->cursorPosition(), 2);
        // Typing goes after the text rather than over it.
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), QStringLiteral("1"));

        edit->setText(QStringLiteral("12"));
        form->setFocus();
        WindowClick(edit, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_FALSE(edit->hasSelectedText());
        EXPECT_EQ(edit->text(), box.emptiedByClick ? QString() : QStringLiteral("12"));
        edit->setText(QStringLiteral("12"));  // a number again for the next preview
    }
}

TEST_F(EditBoxesTest, TheClickHandlersRunOnTheLeftButtonOnly) {
    Show();
    LoadMembers({"A", "B"});
    struct Case {
        const char* name;
        int mode;
        QWidget* target;
        std::function<void()> prepare;
        std::function<bool()> clicked;  // the handler has run
        bool editBox;
    };
    auto emptied = [](ByteEdit* e) { return [e] { return e->text().isEmpty(); }; };
    auto filled = [](ByteEdit* e) { return [e] { e->setText(QStringLiteral("12")); }; };
    auto latched = [](const bool& latch) { return [&latch] { return latch; }; };
    const std::function<void()> none = [] {};
    std::vector<Case> cases = {
        {"Edit1", 1, Edit(1), filled(Edit(1)), emptied(Edit(1)), true},
        {"Edit2", 1, Edit(2), filled(Edit(2)), emptied(Edit(2)), true},
        // Edit6Click also switches the pending command off.
        {"Edit6", 2, Edit(6),
         [this] {
             Edit(6)->setText(QStringLiteral("3"));
             if (!I().entryButtonOn) Click(Image(6));
         },
         [this] { return Edit(6)->text().isEmpty() && !I().entryButtonOn; }, true},
        {"Image3", 1, Image(3), none, latched(I().moveButtonOn), false},
        {"Image4", 1, Image(4), none, latched(I().deleteButtonOn), false},
        {"Image6", 2, Image(6), none, latched(I().entryButtonOn), false},
        {"Image7", 2, Image(7), none, latched(I().leaderButtonOn), false},
        {"Image9", 2, Image(9), none, latched(I().pasteButtonOn), false},
        {"Image10", 2, Image(10), none, latched(I().returnButtonOn), false},
    };
    for (ByteEdit* e : {Edit(9), Edit(10), Edit(11), Edit(12), Edit(13), Edit(14)})
        cases.push_back({"Edit9..Edit14", 3, e, filled(e), emptied(e), true});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnterMode(*form, c.mode);
        c.prepare();
        ASSERT_FALSE(c.clicked());
        const auto before = I().commandState;
        const std::vector<std::string> menu = WindowClick(c.target, Qt::RightButton);
        EXPECT_FALSE(c.clicked());
        EXPECT_EQ(I().commandState, before);
        // An edit box opens its own menu; a picture none.
        EXPECT_EQ(menu.empty(), !c.editBox);
        WindowClick(c.target, Qt::MiddleButton);
        EXPECT_FALSE(c.clicked());
        EXPECT_TRUE(WindowClick(c.target, Qt::LeftButton).empty());
        EXPECT_TRUE(c.clicked());
        // A number again for the next preview.
        if (c.editBox) static_cast<ByteEdit*>(c.target)->setText(QStringLiteral("12"));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(EditBoxesTest, TheListAndTheGroupBoxesTakeAPressOfAnyButton) {
    Show();
    LoadMembers({"A", "B"});
    form->EnterGroupingMode();
    WindowClick(Image(9), Qt::LeftButton);  // 貼り付け
    WindowClick(Image(1), Qt::RightButton, {100, 15});
    EXPECT_EQ(I().pickedMember, "0");
    WindowClick(GroupBox(2), Qt::RightButton, {20, 10});
    EXPECT_EQ(Group(2), std::vector<std::string>{"A"});
    WindowClick(Image(10), Qt::LeftButton);  // 戻す
    WindowClick(GroupBox(2), Qt::MiddleButton, {20, 10});
    EXPECT_TRUE(S().groupList[2].empty());
}

// The menu of a right click speaks Japanese, with the translation the running
// program loads.
TEST(EditBoxMenu, TheContextMenuIsJapanese) {
    Program program;
    MainWindow& form = program.Window();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ByteEdit* name = ControlsOf(form).Edit(1);
    name->setText(QStringLiteral("木村"));
    const std::vector<std::string> menu = WindowClick(name, Qt::RightButton);
    EXPECT_EQ(name->text(), QStringLiteral("木村"));
    ASSERT_FALSE(menu.empty());
    const std::vector<std::string> expected = {"元に戻す(&U)", "やり直す(&R)", "切り取り(&T)",
                                               "コピー(&C)",   "貼り付け(&P)", "削除",
                                               "すべてを選択"};
    EXPECT_EQ(menu, expected);
    form.close();
}

}  // namespace
}  // namespace tovi::test
