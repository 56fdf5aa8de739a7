#include "ui/monkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <exception>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/clock.h"
#include "core/cp932.h"
#include "grouping/random_source.h"
#include "model/cp932_literals.h"
#include "model/roster_table.h"
#include "model/tournament_state.h"
#include "platform/file_name.h"
#include "platform/qt_text.h"
#include "support/scripted_dialogs.h"
#include "support/window_controls.h"
#include "ui/main/about_box.h"
#include "ui/main/main_window.h"
#include "ui/main/registration_panel.h"

#if defined(__SANITIZE_ADDRESS__)
#define TOVI_MONKEY_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVI_MONKEY_SANITIZED 1
#endif
#endif
#ifdef TOVI_MONKEY_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace tovi::test {
namespace {

using Lines = std::vector<std::string>;

// SplitMix64: small, fast and the same on every platform, so a seed replays.
class MonkeyRandom {
public:
    explicit MonkeyRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // 0..n-1; 0 when n < 1.
    int Below(int n) {
        return n < 1 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n));
    }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

private:
    std::uint64_t state_;
};

// The clock of the grouping runs: seconds that the monkey moves on between
// events, and a millisecond field drawn afresh at every reading (or stuck at
// 0 for a while, as on a coarse clock).
class MonkeyClock final : public Clock {
public:
    explicit MonkeyClock(std::uint64_t seed) : random_(seed) {}
    std::int64_t Seconds() override { return seconds; }
    int Milliseconds() override { return stuckAtZero ? 0 : random_.Below(1000); }
    std::int64_t seconds = 1'700'000'000;
    bool stuckAtZero = false;

private:
    MonkeyRandom random_;
};

// What the crash handlers print: set before every event.
struct CrashContext {
    std::uint64_t seed = 0;
    long event = 0;
    std::string action;
};
CrashContext g_crash;

void PrintCrashContext() {
    std::fprintf(
        stderr, "\nmonkey: seed %llu died during event %ld: %s\nreplay: scripts/monkey %llu %ld\n",
        static_cast<unsigned long long>(g_crash.seed), g_crash.event, g_crash.action.c_str(),
        static_cast<unsigned long long>(g_crash.seed), g_crash.event);
}

QtMessageHandler g_previousHandler = nullptr;
void MonkeyMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) PrintCrashContext();
    if (g_previousHandler) g_previousHandler(type, context, text);
}

// Installs the handlers that name the seed and the event when the process
// dies under a sanitizer, a fatal Qt message or std::terminate.
class CrashReporting {
public:
    CrashReporting() {
#ifdef TOVI_MONKEY_SANITIZED
        __sanitizer_set_death_callback(PrintCrashContext);
#endif
        previousTerminate_ = std::set_terminate([] {
            PrintCrashContext();
            std::abort();
        });
        g_previousHandler = qInstallMessageHandler(MonkeyMessageHandler);
    }
    ~CrashReporting() {
#ifdef TOVI_MONKEY_SANITIZED
        __sanitizer_set_death_callback(nullptr);
#endif
        std::set_terminate(previousTerminate_);
        qInstallMessageHandler(g_previousHandler);
        g_previousHandler = nullptr;
    }
    CrashReporting(const CrashReporting&) = delete;
    CrashReporting& operator=(const CrashReporting&) = delete;

private:
    std::terminate_handler previousTerminate_ = nullptr;
};

// A roster file the open dialog can hand over, with what loading it must give.
struct RosterFixture {
    QString path;
    std::optional<Lines> members;  // nothing: the load must be refused
};

std::string ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray::fromStdString(bytes));
}

// The bytes a roster file of these member lines holds: the marker line and
// every line ending in CR LF.
std::string RosterFileBytes(const Lines& members) {
    std::string bytes = std::string(cp932::kRosterMarker) + "\r\n";
    for (const auto& line : members) bytes += line + "\r\n";
    return bytes;
}

Lines Utf8ToCp932Lines(std::initializer_list<const char*> utf8) {
    Lines lines;
    for (const char* line : utf8) lines.push_back(Utf8ToCp932(line));
    return lines;
}

// Types text into a widget key by key.  ASCII goes through QTest's key
// table; every other character arrives as a key event carrying the
// character, as a keyboard layout that has it would send.
void TypeText(QWidget* widget, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
            continue;
        }
        QString character(c);
        if (c.isHighSurrogate() && i + 1 < text.size()) character += text.at(++i);
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, character, Qt::NoModifier);
    }
}

std::string Printable(const std::string& cp932) { return Cp932ToUtf8(cp932); }

std::string Join(const Lines& lines) {
    std::string text = "[";
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? " | " : "") + Printable(lines[i]);
    return text + "]";
}

// A member position written the way the program writes it: decimal digits,
// no sign, no leading zero.
std::optional<int> CanonicalPosition(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (text.size() > 1 && text[0] == '0') return std::nullopt;
    return std::stoi(text);
}

// Texts a user types: names in Japanese, with the double-byte characters
// whose second byte is a backslash, half-width kana, machine-dependent
// characters, separators and quotes that a member line must survive, numbers
// good and bad, full-width digits, texts too long for any box and characters
// no roster file can hold.
const std::vector<QString>& Words() {
    static const std::vector<QString> words = [] {
        std::vector<QString> w;
        for (const char* text : {"山田　花子",
                                 "鈴木一郎",
                                 "佐藤",
                                 "髙橋",
                                 "ソフト表能",
                                 "ｶﾀｶﾅ",
                                 "①②",
                                 "〜",
                                 "東町",
                                 "チーム",
                                 "abc",
                                 "A,B",
                                 "\"q\"",
                                 "a\"b",
                                 " sp",
                                 "x ",
                                 ",",
                                 "\"",
                                 "'",
                                 "\\",
                                 "ﾃｽﾄ,ﾁｰﾑ",
                                 "あいうえおかきくけこさしすせそ",
                                 "0123456789012345678901234567890123456789",
                                 "😀",
                                 "é",
                                 "１",
                                 "２３",
                                 "－１"})
            w.push_back(QString::fromUtf8(text));
        return w;
    }();
    return words;
}

const std::vector<QString>& Numbers() {
    static const std::vector<QString> numbers = [] {
        std::vector<QString> n;
        for (const char* text : {"0", "1", "2", "3", "4", "5", "6", "7", "9", "10", "11", "12",
                                 "15", "-1", "-", "01", "99", "+1", " 1"})
            n.push_back(QString::fromUtf8(text));
        return n;
    }();
    return numbers;
}

class Monkey {
public:
    explicit Monkey(std::uint64_t seed) : random_(seed), clock_(seed ^ 0x5eedc10cull) {
        report_.seed = seed;
        g_crash = {seed, 0, "start-up"};
        PrepareRosterFiles();
        dialogs_.yesNoFallback = [this] { return YesNoAnswer(); };
        dialogs_.openFallback = [this] { return OpenAnswer(); };
        dialogs_.saveFallback = [this] { return SaveAnswer(); };
        form_ = std::make_unique<MainWindow>(dialogs_, lcg_, clock_);
        controls_ = std::make_unique<WindowControls>(*form_);
        form_->show();
        QCoreApplication::processEvents();
        dialogs_.ClearShown();
    }
    ~Monkey() {
        if (form_) form_->close();
        controls_.reset();
        form_.reset();
        QCoreApplication::processEvents();
    }
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    MonkeyReport Run(long events, std::FILE* progress) {
        if (std::string failure = Check(); !failure.empty()) {
            report_.failure = "at start-up: " + failure;
            return report_;
        }
        for (long n = 1; n <= events; ++n) {
            before_ = Snapshot();
            happened_ = {};
            action_.clear();
            g_crash.event = n;
            SendOneEvent();
            QCoreApplication::processEvents();
            report_.eventsRun = n;
            Remember(action_);
            if (std::string failure = Check(); !failure.empty()) {
                report_.failure = failure;
                report_.failedEvent = n;
                break;
            }
            Count();
            dialogs_.ClearShown();
            if (progress && n % 10000 == 0) {
                std::fprintf(progress, "monkey: seed %llu, %ld events, no finding\n",
                             static_cast<unsigned long long>(report_.seed), n);
                std::fflush(progress);
            }
        }
        report_.recent.assign(recent_.begin(), recent_.end());
        return report_;
    }

private:
    struct Before {
        Lines roster;
        std::filesystem::path fileName;
        QString title;
        int placed = 0;
        ScreenMode mode = ScreenMode::None;
        ListCommand commandState = ListCommand::None;
    };

    // What the dialogs saw during one event.
    struct Happened {
        bool openAsked = false;
        int opened = -1;  // fixture index; -1 cancelled
        bool saveAsked = false;
        std::optional<QString> savedTo;
        bool saveMustFail = false;
        bool yesNoAsked = false;
        bool yesNoAnswer = false;
        bool registerClicked = false;
        std::string typedName, typedTeam;
        int typedGender = -1;
        int correctRow = -1;  // 登録 with 修正 on: the row of the member picked
        int deleteRow = -1;
        bool startClicked = false;
        bool groupPress = false;
        std::optional<QString> printFile;
    };

    // ---- set-up ---------------------------------------------------------

    void AddFixture(const QString& name, const std::string& bytes, std::optional<Lines> members) {
        const QString path = folder_.filePath(name);
        WriteBytes(path, bytes);
        fixtures_.push_back({path, std::move(members)});
    }

    void PrepareRosterFiles() {
        const Lines club = Utf8ToCp932Lines({
            "山田　花子,東町,女,0,0,0,0,0,",
            "鈴木一郎,西町,男,0,0,0,0,0,",
            "佐藤,東町,男,0,0,0,0,0,",
            "髙橋　ソフト表,北,女,0,0,0,0,0,",
            "ｶﾀｶﾅ,南,男,0,0,0,0,0,",
            "①田中,,女,0,0,0,0,0,",
            "A,B,男,0,0,0,0,0,",
            "C,,女,0,0,0,0,0,",
            "D,T,男,0,0,0,0,0,",
            "E,T,女,0,0,0,0,0,",
            "F,T,男,0,0,0,0,0,",
            "G,T,X,0,0,0,0,0,",
            "H,T,男",
            "I,T,女,0,0,0,0,0,",
        });
        AddFixture("club.txt", RosterFileBytes(club), club);

        Lines forty;
        for (int i = 1; i <= MemberCapacity; ++i)
            forty.push_back(Utf8ToCp932("会員" + std::to_string(i) + ",班" + std::to_string(i % 7) +
                                        (i % 3 == 0 ? ",女" : ",男") + ",0,0,0,0,0,"));
        AddFixture("forty.txt", RosterFileBytes(forty), forty);

        const Lines quoted = Utf8ToCp932Lines({
            "\"山田,花子\",東町,女,0,0,0,0,0,",
            "\"a\"\"b\",T,男,0,0,0,0,0,",
            "\" sp\",T,男,0,0,0,0,0,",
            "\"unbalanced,T,女",
            ",,,",
            "名前だけ",
            "  spaced  name ,T,男",
            "\"\",\"\",男",
        });
        AddFixture("quoted.txt", RosterFileBytes(quoted), quoted);

        AddFixture("marker_only.txt", std::string(cp932::kRosterMarker) + "\r\n", Lines{});
        std::string lf = std::string(cp932::kRosterMarker) + "\n";
        for (const auto& line : club) lf += line + "\n";
        AddFixture("lf.txt", lf, club);

        // Lines of arbitrary bytes after the marker: lone lead bytes, control
        // characters and invalid double-byte pairs make it to the list.
        Lines garbage;
        for (int i = 0; i < 10; ++i) {
            std::string line;
            const int length = random_.Between(0, 40);
            for (int k = 0; k < length; ++k) {
                char byte = 0;
                do byte = static_cast<char>(random_.Between(1, 255));
                while (byte == '\r' || byte == '\n');
                line += byte;
            }
            garbage.push_back(line);
        }
        garbage.push_back("\"" + garbage.front());
        AddFixture("garbage.txt", RosterFileBytes(garbage), garbage);

        // Very long member lines: forty names of 26,000 bytes (the file stays
        // under the load limit) and one name of 1,000,000 bytes among
        // ordinary members.  Every byte must survive, and drawing must stay
        // quick.
        Lines longNames;
        for (int i = 0; i < MemberCapacity; ++i) {
            std::string name;
            const std::string unit = Utf8ToCp932(i % 2 == 0 ? "山田花子" : "Abcdｶﾅ");
            while (name.size() + unit.size() <= 26'000) name += unit;
            longNames.push_back(
                name + Utf8ToCp932(i % 3 == 0 ? ",東町,女,0,0,0,0,0," : ",西町,男,0,0,0,0,0,"));
        }
        AddFixture("long_names.txt", RosterFileBytes(longNames), longNames);
        Lines oneLongName(club.begin(), club.begin() + 5);
        oneLongName.insert(oneLongName.begin() + 2,
                           std::string(1'000'000, 'W') + Utf8ToCp932(",北,男,0,0,0,0,0,"));
        AddFixture("one_long_name.txt", RosterFileBytes(oneLongName), oneLongName);

        // Refused files.
        Lines members(club.begin(), club.end());
        std::string noMarker;
        for (const auto& line : members) noMarker += line + "\r\n";
        AddFixture("no_marker.txt", noMarker, std::nullopt);
        AddFixture("empty.txt", "", std::nullopt);
        Lines fortyOne = forty;
        fortyOne.push_back(forty.front());
        AddFixture("forty_one.txt", RosterFileBytes(fortyOne), std::nullopt);
        std::string binary(1, '\xff');
        for (int i = 0; i < 3000; ++i) binary += static_cast<char>(random_.Below(256));
        AddFixture("binary.bin", binary, std::nullopt);
        fixtures_.push_back({folder_.filePath("missing.txt"), std::nullopt});
        fixtures_.push_back({folder_.path(), std::nullopt});
    }

    // ---- dialogs ----------------------------------------------------------

    bool YesNoAnswer() {
        happened_.yesNoAsked = true;
        happened_.yesNoAnswer = random_.Below(3) != 0;
        action_ += happened_.yesNoAnswer ? " -> Yes" : " -> No";
        return happened_.yesNoAnswer;
    }

    std::optional<QString> OpenAnswer() {
        happened_.openAsked = true;
        if (random_.OneIn(7)) {
            action_ += " -> open cancelled";
            return std::nullopt;
        }
        happened_.opened = random_.Below(static_cast<int>(fixtures_.size()));
        const QString& path = fixtures_[static_cast<std::size_t>(happened_.opened)].path;
        action_ += " -> open " + QFileInfo(path).fileName().toStdString();
        return path;
    }

    std::optional<QString> SaveAnswer() {
        happened_.saveAsked = true;
        const int choice = random_.Below(20);
        QString path;
        if (choice < 5) {
            action_ += " -> save cancelled";
            return std::nullopt;
        } else if (choice < 13) {
            path = folder_.filePath(QStringLiteral("saved_%1.txt").arg(random_.Below(4)));
        } else if (choice < 15) {
            path = folder_.filePath(QStringLiteral("名簿_%1.txt").arg(random_.Below(2)));
        } else if (choice < 17) {
            // Over a file the open dialog also offers.
            path = fixtures_[static_cast<std::size_t>(random_.Below(5))].path;
        } else if (choice < 19) {
            path = folder_.filePath(QStringLiteral("no_such_folder/roster.txt"));
            happened_.saveMustFail = true;
        } else {
            path = folder_.path();
            happened_.saveMustFail = true;
        }
        happened_.savedTo = path;
        action_ += " -> save " + QDir(folder_.path()).relativeFilePath(path).toStdString();
        return path;
    }

    // The version dialog runs its own event loop; this closes it the way a
    // user would, once it is up.
    void ScheduleAboutCloser() {
        aboutPending_ = true;
        QTimer::singleShot(0, [this] { CloseAbout(); });
    }

    void CloseAbout() {
        if (!aboutPending_) return;
        AboutBox& about = form_->About();
        const WindowControls aboutControls(about);
        QPushButton* ok = aboutControls.Find<QPushButton>(QStringLiteral("OKButton"));
        if (!about.isVisible()) {
            QTimer::singleShot(1, [this] { CloseAbout(); });
            return;
        }
        switch (random_.Below(5)) {
            case 0:
                action_ += " -> OK";
                QTest::mouseClick(ok, Qt::LeftButton);
                break;
            case 1:
                action_ += " -> Enter";
                QTest::keyClick(&about, Qt::Key_Return);
                break;
            case 2:
                action_ += " -> Escape";
                QTest::keyClick(&about, Qt::Key_Escape);
                break;
            case 3:
                action_ += " -> close box";
                about.close();
                break;
            default:
                action_ += " -> link, OK";
                QTest::mouseClick(aboutControls.Label(2), Qt::LeftButton, {}, QPoint(5, 5));
                QTest::mouseClick(ok, Qt::LeftButton);
                break;
        }
    }

    // ---- events -----------------------------------------------------------

    struct Candidate {
        int weight;
        std::function<void()> send;
    };

    static bool Shown(const QWidget* widget) { return widget && widget->isVisible(); }

    QPushButton* PrintAllButton() const {
        return controls_->Find<QPushButton>(QStringLiteral("PrintAllButton"));
    }

    QPoint Anywhere(const QWidget* widget) {
        return {random_.Below(widget->width()), random_.Below(widget->height())};
    }

    void Press(QWidget* widget, QPoint at, const std::string& name) {
        const bool twice = random_.OneIn(25);
        const Qt::MouseButton button = random_.OneIn(10) ? Qt::RightButton : Qt::LeftButton;
        action_ = (twice ? "double-click " : "press ") + name + " at (" + std::to_string(at.x()) +
                  "," + std::to_string(at.y()) + ")" + (button == Qt::RightButton ? " right" : "");
        g_crash.action = action_;
        if (twice)
            QTest::mouseDClick(widget, button, {}, at);
        else
            QTest::mouseClick(widget, button, {}, at);
    }

    void PressList() {
        const int members = static_cast<int>(form_->State().rosterList.size());
        int y = 0;
        if (random_.Below(5) != 0) {
            const int row = random_.Between(0, std::min(members + 1, MemberCapacity));
            y = std::min(RowHeight * row + random_.Below(RowHeight),
                         controls_->Image(1)->height() - 1);
        } else {
            y = random_.Below(controls_->Image(1)->height());
        }
        happened_.deleteRow = y / RowHeight;
        Press(controls_->Image(1), {random_.Below(controls_->Image(1)->width()), y},
              "member list, row " + std::to_string(y / RowHeight));
    }

    void PressGroupBox(int group) {
        PictureWidget* box = controls_->GroupBox(group);
        int y = 0;
        if (random_.Below(10) < 7)
            y = std::min(GroupRowPitch * random_.Between(0, 6) + 3 + random_.Below(GroupRowPitch),
                         box->height() - 1);
        else
            y = random_.Below(box->height());
        happened_.groupPress = true;
        Press(box, {random_.Below(box->width()), y}, "group box " + std::to_string(group));
    }

    void Click(QWidget* widget, const std::string& name) {
        // Mostly in the middle; now and then at the edge, where a check box
        // or radio button may not take it.
        const QPoint at = random_.Below(4) != 0 ? widget->rect().center() : Anywhere(widget);
        action_ = "click " + name;
        g_crash.action = action_;
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    }

    void ClickPrint(QPushButton* button, const std::string& name) {
        const int choice = random_.Below(10);
        if (choice < 6) {
            dialogs_.printAnswers.push_back(nullptr);
            action_ = "click " + name + " -> cancel";
        } else if (choice < 8) {
            dialogs_.printAnswers.push_back([](QPrinter&) { return false; });
            action_ = "click " + name + " -> set up, then cancel";
        } else {
            const QString pdf =
                folder_.filePath(QStringLiteral("sheet_%1.pdf").arg(random_.Below(3)));
            QFile::remove(pdf);
            happened_.printFile = pdf;
            dialogs_.printAnswers.push_back([pdf](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                return true;
            });
            action_ = "click " + name + " -> to " + QFileInfo(pdf).fileName().toStdString();
        }
        g_crash.action = action_;
        QTest::mouseClick(button, Qt::LeftButton);
        dialogs_.printAnswers.clear();
    }

    void ClickAbout() {
        action_ = "click Button14 (version)";
        g_crash.action = action_;
        ScheduleAboutCloser();
        QTest::mouseClick(controls_->Button(14), Qt::LeftButton);
        aboutPending_ = false;
    }

    void NoteRegister() {
        happened_.registerClicked = true;
        happened_.typedName = controls_->Edit(1)->Bytes();
        happened_.typedTeam = controls_->Edit(2)->Bytes();
        happened_.typedGender = form_->Registration().GenderIndex();
        const ListInteraction& interaction = form_->Interaction();
        happened_.correctRow =
            interaction.commandState == ListCommand::CorrectEdit ? interaction.selectedRow : -1;
    }

    void ClickRegister() {
        NoteRegister();
        Click(controls_->Button(6), "Button6 (register)");
    }

    void ClickStart() {
        happened_.startClicked = true;
        Click(controls_->Button(1), "Button1 (start grouping)");
    }

    QString SomeText(const ByteEdit* edit) {
        const bool number = edit->MaxBytes() <= 2;
        QString text =
            number && random_.Below(10) < 7 ? random_.Pick(Numbers()) : random_.Pick(Words());
        if (random_.OneIn(6)) text += random_.Pick(Words());
        return text;
    }

    void TypeInto(ByteEdit* edit, const std::string& name) {
        const int how = random_.Below(12);
        const QString text = SomeText(edit);
        const std::string shown = text.toStdString();
        g_crash.action = action_ = name;
        switch (how) {
            case 0:
            case 1:
                // A click alone: the number boxes and the registration boxes empty.
                action_ += ": click";
                g_crash.action = action_;
                QTest::mouseClick(edit, Qt::LeftButton, {}, Anywhere(edit));
                break;
            case 2:
            case 3:
            case 4:
                action_ += ": click, type \"" + shown + "\"";
                g_crash.action = action_;
                QTest::mouseClick(edit, Qt::LeftButton, {}, Anywhere(edit));
                TypeText(edit, text);
                break;
            case 5:
            case 6:
                action_ += ": type \"" + shown + "\"";
                g_crash.action = action_;
                TypeText(edit, text);
                break;
            case 7: {
                // Text committed by the input method, as Japanese text arrives.
                action_ += ": input method commits \"" + shown + "\"";
                g_crash.action = action_;
                QInputMethodEvent event;
                event.setCommitString(text);
                QCoreApplication::sendEvent(edit, &event);
                break;
            }
            case 8:
                action_ += ": paste \"" + shown + "\"";
                g_crash.action = action_;
                QGuiApplication::clipboard()->setText(text);
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                break;
            default: {
                static const struct {
                    Qt::Key key;
                    Qt::KeyboardModifiers modifiers;
                    const char* name;
                } keys[] = {
                    {Qt::Key_Backspace, {}, "Backspace"},
                    {Qt::Key_Delete, {}, "Delete"},
                    {Qt::Key_Left, {}, "Left"},
                    {Qt::Key_Home, {}, "Home"},
                    {Qt::Key_End, {}, "End"},
                    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
                    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
                    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
                    {Qt::Key_Return, {}, "Return"},
                    {Qt::Key_Space, {}, "Space"},
                };
                const auto& key = keys[random_.Below(static_cast<int>(std::size(keys)))];
                action_ += std::string(": key ") + key.name;
                g_crash.action = action_;
                QTest::keyClick(edit, key.key, key.modifiers);
                break;
            }
        }
    }

    // The user moves the focus on with Tab and presses Space on whatever has it.
    void TabAndSpace() {
        const int tabs = random_.Between(1, 4);
        for (int i = 0; i < tabs; ++i) QTest::keyClick(form_.get(), Qt::Key_Tab);
        QWidget* focus = form_->focusWidget();
        action_ = std::to_string(tabs) + " x Tab, Space on " +
                  (focus ? focus->metaObject()->className() : std::string("nothing"));
        g_crash.action = action_;
        if (!Shown(focus)) return;
        if (focus == controls_->Button(14)) ScheduleAboutCloser();
        if (focus == controls_->Button(6)) NoteRegister();
        if (focus == controls_->Button(1)) happened_.startClicked = true;
        QTest::keyClick(focus, Qt::Key_Space);
        aboutPending_ = false;
    }

    // Steps of a plan run as events of their own, each checked, before any
    // other event is drawn.  A step whose control has gone does nothing.
    void Plan(std::vector<std::function<void()>> steps) {
        for (auto& step : steps) planned_.push_back(std::move(step));
        RunPlannedStep();
    }

    void RunPlannedStep() {
        auto step = std::move(planned_.front());
        planned_.pop_front();
        action_ = "(planned step skipped)";
        step();
    }

    void PressRow(int row, const std::string& why) {
        if (!Shown(controls_->Image(1))) return;
        happened_.deleteRow = row;
        Press(controls_->Image(1),
              {random_.Below(controls_->Image(1)->width()),
               RowHeight * row + random_.Below(RowHeight)},
              "member list (" + why + "), row " + std::to_string(row));
    }

    // A user who marks, deletes or picks down a run of rows, one press each.
    void PlanSweep() {
        const int members = static_cast<int>(form_->State().rosterList.size());
        const int first = random_.Between(0, std::max(0, members - 1));
        const int last = std::min(MemberCapacity, first + random_.Between(1, members + 1));
        std::vector<std::function<void()>> steps;
        for (int row = first; row <= last; ++row)
            steps.push_back([this, row] { PressRow(row, "sweep"); });
        Plan(std::move(steps));
    }

    // Switches paste on when it is off, as the user does before a pick or a paste.
    std::function<void()> PasteOnStep() {
        return [this] {
            if (!form_->Interaction().pasteButtonOn && Shown(controls_->Image(9)))
                Click(controls_->Image(9), "Image9 (paste, planned)");
        };
    }

    // Picks a member on the list for pasting.
    void PlanPick() {
        const int members = static_cast<int>(form_->State().rosterList.size());
        const int row = random_.Below(std::max(1, members));
        Plan({PasteOnStep(), [this, row] { PressRow(row, "pick"); }});
    }

    // Pastes the pick into a group box.
    void PlanPaste() {
        const int group = random_.Between(1, MaxGroups);
        Plan({PasteOnStep(), [this, group] {
                  if (Shown(controls_->GroupBox(group))) PressGroupBox(group);
              }});
    }

    // Types a group count that may fit the players and starts a run.
    void PlanGrouping() {
        const int players = form_->State().entryCount;
        const int count = random_.Between(std::max(1, (players + 5) / 6), MaxGroups);
        Plan({[this, count] {
                  if (!Shown(controls_->Edit(6))) return;
                  action_ = "Edit6 (group count): click, type \"" + std::to_string(count) +
                            "\" (planned)";
                  g_crash.action = action_;
                  QTest::mouseClick(controls_->Edit(6), Qt::LeftButton, {},
                                    Anywhere(controls_->Edit(6)));
                  TypeText(controls_->Edit(6), QString::number(count));
              },
              [this] {
                  if (Shown(controls_->Button(1))) ClickStart();
              }});
    }

    void SendOneEvent() {
        if (random_.OneIn(50)) clock_.stuckAtZero = !clock_.stuckAtZero;
        clock_.seconds += random_.Below(3);

        if (!planned_.empty()) {
            RunPlannedStep();
            return;
        }

        MainWindow& f = *form_;
        const WindowControls& w = *controls_;
        std::vector<Candidate> candidates;
        const auto add = [&](QWidget* widget, int weight, std::function<void()> send) {
            if (Shown(widget)) candidates.push_back({weight, std::move(send)});
        };
        // With a member picked, the user's next press is mostly elsewhere (a
        // box, a command, the start button), which a press on the list cancels.
        add(w.Image(1), f.Interaction().pickedMember.empty() ? 30 : 6, [this] { PressList(); });
        add(w.Image(1), 4, [this] { PlanSweep(); });
        add(w.Image(9), 3, [this] { PlanPick(); });
        add(w.Image(9), 3, [this] { PlanPaste(); });
        add(w.Button(1), 3, [this] { PlanGrouping(); });
        for (int g = 1; g <= MaxGroups; ++g) add(w.GroupBox(g), 4, [this, g] { PressGroupBox(g); });
        const std::pair<PictureWidget*, const char*> commands[] = {
            {w.Image(3), "Image3 (move)"},
            {w.Image(4), "Image4 (delete)"},
            {w.Image(6), "Image6 (players)"},
            {w.Image(7), "Image7 (leaders)"},
            {w.Image(9), "Image9 (paste)"},
            {w.Image(10), "Image10 (return)"},
            {w.Find<PictureWidget>(QStringLiteral("CorrectCommand")), "CorrectCommand (correct)"},
        };
        for (const auto& [picture, name] : commands) {
            std::string label = name;
            add(picture, 4, [this, picture, label] { Click(picture, label); });
        }
        const std::pair<PictureWidget*, const char*> others[] = {
            {w.Image(2), "Image2 (list header)"},
            {w.Image(5), "Image5 (prompt)"},
            {w.Image(8), "Image8 (prompt)"},
            {w.Image(23), "Image23 (preview)"},
        };
        for (const auto& [picture, name] : others) {
            std::string label = name;
            add(picture, 1, [this, picture, label] { Press(picture, Anywhere(picture), label); });
        }

        add(w.Button(1), 6, [this] { ClickStart(); });
        add(w.Button(2), 1, [this] { Click(controls_->Button(2), "Button2 (registration mode)"); });
        add(w.Button(3), 2, [this] { Click(controls_->Button(3), "Button3 (grouping mode)"); });
        add(w.Button(4), 1, [this] { Click(controls_->Button(4), "Button4 (score-sheet mode)"); });
        add(w.Button(5), 1, [this] { Click(controls_->Button(5), "Button5 (help)"); });
        add(w.Button(6), 8, [this] { ClickRegister(); });
        add(w.Button(7), 2, [this] { ClickPrint(controls_->Button(7), "Button7 (print)"); });
        add(PrintAllButton(), 1, [this] { ClickPrint(PrintAllButton(), "print all groups"); });
        add(w.Button(8), 3, [this] { Click(controls_->Button(8), "Button8 (save)"); });
        add(w.Button(9), 3, [this] { Click(controls_->Button(9), "Button9 (preview)"); });
        add(w.Button(10), 4, [this] { Click(controls_->Button(10), "Button10 (open)"); });
        add(w.Button(14), 1, [this] { ClickAbout(); });
        add(w.CheckBox(2), 2,
            [this] { Click(controls_->CheckBox(2), "CheckBox2 (hide hole numbers)"); });
        add(w.CheckBox(4), 2,
            [this] { Click(controls_->CheckBox(4), "CheckBox4 (balance men and women)"); });
        add(w.GenderItem(0), 2, [this] { Click(controls_->GenderItem(0), "male"); });
        add(w.GenderItem(1), 2, [this] { Click(controls_->GenderItem(1), "female"); });

        const std::pair<ByteEdit*, const char*> edits[] = {
            {w.Edit(1), "Edit1 (name)"},
            {w.Edit(2), "Edit2 (team)"},
            {w.Edit(6), "Edit6 (group count)"},
            {w.Edit(7), "Edit7 (meeting)"},
            {w.Edit(8), "Edit8 (course)"},
            {w.Edit(9), "Edit9 (holes)"},
            {w.Edit(10), "Edit10 (year)"},
            {w.Edit(11), "Edit11 (month)"},
            {w.Edit(12), "Edit12 (day)"},
            {w.Edit(13), "Edit13 (group)"},
            {w.Edit(14), "Edit14 (start hole)"},
            {w.Edit(15), "Edit15 (title)"},
            {w.Find<ByteEdit>(QStringLiteral("BirthYearEdit")), "birth year"},
            {w.Find<ByteEdit>(QStringLiteral("BirthMonthEdit")), "birth month"},
            {w.Find<ByteEdit>(QStringLiteral("BirthDayEdit")), "birth day"},
        };
        for (const auto& [edit, name] : edits) {
            std::string label = name;
            const int weight = edit == w.Edit(1) || edit == w.Edit(2) || edit == w.Edit(6) ? 6 : 2;
            add(edit, weight, [this, edit, label] { TypeInto(edit, label); });
        }
        add(&f, 1, [this] { TabAndSpace(); });

        int total = 0;
        for (const auto& c : candidates) total += c.weight;
        int pick = random_.Below(total);
        for (const auto& c : candidates) {
            if (pick < c.weight) {
                c.send();
                return;
            }
            pick -= c.weight;
        }
    }

    // ---- invariants -------------------------------------------------------

    Before Snapshot() const {
        const auto& s = form_->State();
        const auto& i = form_->Interaction();
        return {s.rosterList,  s.currentFileName, form_->windowTitle(),
                s.placedCount, i.screenMode,      i.commandState};
    }

    int MessagesShown() const {
        int count = 0;
        for (const auto& shown : dialogs_.shown)
            count += shown.kind == ScriptedDialogs::Kind::Message;
        return count;
    }

    static Lines Sorted(Lines lines) {
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    std::string CheckRoster() {
        const auto& s = form_->State();
        const Lines& now = s.rosterList;
        const Lines& was = before_.roster;
        if (now.size() > static_cast<std::size_t>(MemberCapacity))
            return "the roster holds " + std::to_string(now.size()) + " lines";

        if (happened_.openAsked) {
            if (happened_.opened < 0) {
                if (now != was) return "a cancelled open changed the roster";
                return {};
            }
            const RosterFixture& file = fixtures_[static_cast<std::size_t>(happened_.opened)];
            if (!file.members) {
                if (now != was) return "a refused load changed the roster to " + Join(now);
                if (MessagesShown() != 1) return "a refused load showed no single message";
                if (form_->windowTitle() != before_.title)
                    return "a refused load changed the caption";
                return {};
            }
            if (now != *file.members)
                return "the load gave " + Join(now) + " instead of " + Join(*file.members);
            if (s.currentFileName != TryQtToPath(file.path) ||
                form_->windowTitle() != QDir::toNativeSeparators(file.path))
                return "the load did not show the path of the file in the caption";
            return {};
        }
        if (happened_.yesNoAsked) {
            Lines expected = was;
            if (happened_.yesNoAnswer && happened_.deleteRow < static_cast<int>(was.size()))
                expected.erase(expected.begin() + happened_.deleteRow);
            if (now != expected)
                return "the delete gave " + Join(now) + " instead of " + Join(expected);
            return {};
        }
        if (happened_.registerClicked && happened_.correctRow >= 0 && now != was) {
            // A correction: the picked member's line alone, in its place.
            const auto row = static_cast<std::size_t>(happened_.correctRow);
            if (now.size() != was.size() || row >= now.size())
                return "修正 changed the number of members";
            for (std::size_t i = 0; i < now.size(); ++i)
                if (i != row && now[i] != was[i]) return "修正 changed another member's line";
            const Lines fields = SplitCommaText(now[row]);
            const std::string gender = happened_.typedGender == 0 ? cp932::kMale : cp932::kFemale;
            if (fields.size() < 3 || fields[0] != happened_.typedName ||
                fields[1] != happened_.typedTeam || fields[2] != gender)
                return "the corrected line " + Printable(now[row]) + " does not read back as typed";
            return {};
        }
        if (happened_.registerClicked && now.size() == was.size() + 1) {
            if (!std::equal(was.begin(), was.end(), now.begin()))
                return "registering changed the members already on the roster";
            const Lines fields = SplitCommaText(now.back());
            const std::string gender = happened_.typedGender == 0 ? cp932::kMale : cp932::kFemale;
            if (fields.size() < 3 || fields[0] != happened_.typedName ||
                fields[1] != happened_.typedTeam || fields[2] != gender)
                return "the new member line " + Printable(now.back()) + " does not read back as " +
                       Printable(happened_.typedName) + " / " + Printable(happened_.typedTeam);
            if (happened_.typedName.empty()) return "a member without a name was registered";
            return {};
        }
        // Anything else may at most reorder the members.
        if (Sorted(now) != Sorted(was))
            return "the members changed from " + Join(was) + " to " + Join(now);
        return {};
    }

    std::string CheckSave() {
        if (!happened_.saveAsked) return {};
        const auto& s = form_->State();
        if (s.rosterList != before_.roster) return "saving changed the roster";
        if (!happened_.savedTo) return {};
        const QString& path = *happened_.savedTo;
        const bool failed = MessagesShown() > 0;
        if (happened_.saveMustFail) {
            if (!failed) return "a save into a missing folder or onto a folder reported no failure";
            if (form_->windowTitle() != before_.title) return "a failed save changed the caption";
            return {};
        }
        if (failed) return "the save to " + path.toStdString() + " failed";
        const std::string expected = RosterFileBytes(s.rosterList);
        if (ReadBytes(path) != expected) return "the saved file does not read back as the roster";
        if (form_->windowTitle() != QDir::toNativeSeparators(path))
            return "the caption does not show the saved path";
        const QStringList left = QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : left)
            if (name.contains(QStringLiteral(".tmp-")))
                return "the save left " + name.toStdString() + " behind";
        // The open dialog offers what was saved, with what it holds now.
        auto known = std::find_if(fixtures_.begin(), fixtures_.end(),
                                  [&](const RosterFixture& f) { return f.path == path; });
        if (known == fixtures_.end())
            fixtures_.push_back({path, s.rosterList});
        else
            known->members = s.rosterList;
        return {};
    }

    std::string CheckGroups() {
        const auto& s = form_->State();
        const int members = static_cast<int>(s.rosterList.size());
        std::vector<int> inGroups(kFlagSlots, 0);
        for (int g = 1; g <= MaxGroups; ++g) {
            const auto& group = s.groupList[static_cast<std::size_t>(g)];
            if (group.size() > static_cast<std::size_t>(MaxGroupSize))
                return "group " + std::to_string(g) + " holds " + std::to_string(group.size());
            for (const auto& entry : group) {
                const auto position = CanonicalPosition(entry);
                if (!position || *position >= members)
                    return "group " + std::to_string(g) + " holds \"" + Printable(entry) +
                           "\", which is no member position of " + std::to_string(members);
                if (++inGroups[static_cast<std::size_t>(*position)] > 1)
                    return "member position " + entry + " stands in the groups twice";
            }
        }
        if (!s.groupList[0].empty()) return "the unused group list 0 holds entries";
        // A member is marked placed exactly while it stands in a group.  This
        // holds after every path of the start button too: when leaders and
        // groups do not match, the dealt members stay in their groups with
        // their marks and only the boxes and the placed count lag behind.
        for (int p = 0; p < kFlagSlots; ++p) {
            const int flag = s.placedFlag[static_cast<std::size_t>(p)];
            if (flag != inGroups[static_cast<std::size_t>(p)])
                return "member position " + std::to_string(p) + " has placed mark " +
                       std::to_string(flag) + " but stands in " +
                       std::to_string(inGroups[static_cast<std::size_t>(p)]) + " groups";
        }
        const std::string& pick = form_->Interaction().pickedMember;
        if (!pick.empty()) {
            const auto picked = CanonicalPosition(pick);
            if (!picked || *picked >= members)
                return "the pick \"" + Printable(pick) + "\" is no member position";
        }
        return {};
    }

    std::string CheckFlagsAndTallies() {
        const auto& s = form_->State();
        const int members = static_cast<int>(s.rosterList.size());
        std::vector<int> entries, males, females;
        for (int p = 0; p < kFlagSlots; ++p) {
            const auto i = static_cast<std::size_t>(p);
            const int entry = s.entryFlag[i], leader = s.leaderFlag[i];
            if (entry < 0 || entry > 1 || leader < 0 || leader > 1)
                return "flags of position " + std::to_string(p) + " are not 0 or 1";
            if (p >= members && (entry || leader))
                return "position " + std::to_string(p) + " holds no member but is marked";
            if (leader == 1 && entry != 1)
                return "leader at position " + std::to_string(p) + " does not play";
            if (entry == 1) {
                entries.push_back(p + 1);
                (s.rosterTable[i][2] == cp932::kMale ? males : females).push_back(p + 1);
            }
        }
        if (s.entryCount != s.maleCount + s.femaleCount)
            return "EntryCount " + std::to_string(s.entryCount) + " is not MaleCount " +
                   std::to_string(s.maleCount) + " + FemaleCount " + std::to_string(s.femaleCount);
        if (s.entryList != entries || s.maleList != males || s.femaleList != females)
            return "the player tallies do not match the marks";
        if (controls_->Label(8)->text() != QString::number(s.entryCount))
            return "the player count shows " + controls_->Label(8)->text().toStdString();
        return {};
    }

    std::string CheckCommands() {
        const auto& s = form_->Interaction();
        const bool latches[] = {s.moveButtonOn,   s.deleteButtonOn, s.entryButtonOn,
                                s.leaderButtonOn, s.pasteButtonOn,  s.returnButtonOn,
                                s.correctButtonOn};
        int on = 0;
        for (bool latch : latches) on += latch ? 1 : 0;
        if (on > 1) return "more than one command is switched on";
        const ListCommand state = s.commandState;
        const bool matches =
            (s.moveButtonOn &&
             (state == ListCommand::MoveSource || state == ListCommand::MoveTarget)) ||
            (s.deleteButtonOn && state == ListCommand::Delete) ||
            (s.entryButtonOn && state == ListCommand::Entry) ||
            (s.leaderButtonOn && state == ListCommand::Leader) ||
            (s.pasteButtonOn && state == ListCommand::PastePick) ||
            (s.returnButtonOn && state == ListCommand::Return) ||
            (s.correctButtonOn &&
             (state == ListCommand::CorrectPick || state == ListCommand::CorrectEdit)) ||
            (on == 0 && state == ListCommand::None);
        if (!matches)
            return "CommandState " + std::to_string(static_cast<int>(state)) +
                   " does not match the switched-on command";
        if (controls_->Image(8)->isVisibleTo(controls_->Panel(3)) != s.moveButtonOn)
            return "the move prompt does not follow the move command";
        if (controls_->Image(5)->isVisibleTo(controls_->Panel(3)) != s.deleteButtonOn)
            return "the delete prompt does not follow the delete command";
        return {};
    }

    std::string CheckMode() {
        const MainWindow& f = *form_;
        const ScreenMode mode = f.Interaction().screenMode;
        if (mode == ScreenMode::None) return "no ScreenMode";
        const bool list = mode != ScreenMode::ScoreSheet;
        const struct {
            const char* control;
            bool visible;
            const char* name;
        } expected[] = {
            {"Panel3", list, "the member list panel"},
            {"Image1", list, "the member list"},
            {"Panel2", mode == ScreenMode::Registration, "the registration panel"},
            {"Panel4", mode == ScreenMode::Grouping, "the automatic grouping panel"},
            {"Panel1", mode == ScreenMode::Grouping, "the manual grouping panel"},
            {"Panel5", mode == ScreenMode::ScoreSheet, "the score-sheet settings"},
            {"Panel6", list, "the counts"},
            {"Button7", mode == ScreenMode::ScoreSheet, "the print button"},
            {"PrintAllButton", mode == ScreenMode::ScoreSheet, "the print-all button"},
            {"PairingPrintButton", mode == ScreenMode::Grouping, "the pairing-list button"},
            {"Button9", mode == ScreenMode::ScoreSheet, "the preview button"},
            {"CheckBox2", mode == ScreenMode::ScoreSheet, "the hole-number check box"},
            {"Image11", list, "the group boxes"},
        };
        for (const auto& e : expected)
            if (controls_->Find(QString::fromLatin1(e.control))->isVisible() != e.visible)
                return std::string(e.name) + (e.visible ? " is hidden" : " is shown") +
                       " in mode " + std::to_string(static_cast<int>(mode));
        if (f.State().currentFileName.empty() && f.windowTitle() != kAppTitle)
            return "the caption is not the title before any file";
        return {};
    }

    std::string CheckEditBoxes() {
        for (const int n : {1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
            const ByteEdit* edit = controls_->Edit(n);
            const int length = Cp932Length(edit->text());
            if (length < 0 || length > edit->MaxBytes())
                return "an edit box of " + std::to_string(edit->MaxBytes()) + " bytes holds \"" +
                       edit->text().toStdString() + "\"";
        }
        return {};
    }

    std::string CheckPrint() {
        if (!happened_.printFile) return {};
        // A sheet that stopped on a bad number, or a print of no group, prints
        // nothing at all.
        bool refused = false;
        for (const auto& shown : dialogs_.shown)
            refused |= shown.kind == ScriptedDialogs::Kind::Error ||
                       (shown.kind == ScriptedDialogs::Kind::Message &&
                        shown.text == QStringLiteral("印刷する組がありません"));
        if (refused)
            return QFileInfo::exists(*happened_.printFile) ? "a refused print left a file" : "";
        if (QFileInfo(*happened_.printFile).size() <= 0) return "the print to a file wrote nothing";
        ++report_.printsToFile;
        return {};
    }

    std::string Check() {
        if (QApplication::activeModalWidget() != nullptr || form_->About().isVisible())
            return "a modal dialog is still open";
        for (auto check : {&Monkey::CheckRoster, &Monkey::CheckSave, &Monkey::CheckGroups,
                           &Monkey::CheckFlagsAndTallies, &Monkey::CheckCommands,
                           &Monkey::CheckMode, &Monkey::CheckEditBoxes, &Monkey::CheckPrint})
            if (std::string failure = (this->*check)(); !failure.empty()) return failure;
        return {};
    }

    // ---- counting -----------------------------------------------------------

    static int Placed(const TournamentState& s) {
        int total = 0;
        for (int g = 1; g <= MaxGroups; ++g)
            total += static_cast<int>(s.groupList[static_cast<std::size_t>(g)].size());
        return total;
    }

    void Count() {
        const auto& s = form_->State();
        const int placed = Placed(s);
        for (const auto& shown : dialogs_.shown)
            report_.errorReports += shown.kind == ScriptedDialogs::Kind::Error;
        if (happened_.openAsked && happened_.opened >= 0)
            ++(fixtures_[static_cast<std::size_t>(happened_.opened)].members
                   ? report_.loadsAccepted
                   : report_.loadsRefused);
        if (happened_.savedTo)
            ++(MessagesShown() > 0 ? report_.savesRefused : report_.savesWritten);
        if (happened_.registerClicked && s.rosterList.size() > before_.roster.size())
            ++report_.registrations;
        if (happened_.yesNoAsked && s.rosterList.size() < before_.roster.size())
            ++report_.deletions;
        if (!happened_.openAsked && s.rosterList.size() == before_.roster.size() &&
            s.rosterList != before_.roster)
            ++report_.moves;
        if (happened_.startClicked && placed > 0) ++report_.groupingRuns;
        if (happened_.groupPress && placed == beforePlaced_ + 1) ++report_.pastes;
        if (happened_.groupPress && placed == beforePlaced_ - 1) ++report_.returns;
        // A preview that went through: entering the mode, the confirm button, the check box.
        const bool previewed = action_.find("Button4") != std::string::npos ||
                               action_.find("Button9") != std::string::npos ||
                               action_.find("CheckBox2") != std::string::npos;
        if (previewed && form_->Interaction().screenMode == ScreenMode::ScoreSheet &&
            dialogs_.shown.empty())
            ++report_.previews;
        report_.mostPlayers = std::max(report_.mostPlayers, s.entryCount);
        report_.mostPlaced = std::max(report_.mostPlaced, placed);
        beforePlaced_ = placed;
    }

    void Remember(const std::string& action) {
        recent_.push_back("#" + std::to_string(report_.eventsRun) + " " + action);
        if (recent_.size() > 12) recent_.pop_front();
    }

    MonkeyRandom random_;
    MonkeyClock clock_;
    CrashReporting crashReporting_;
    QTemporaryDir folder_;
    std::vector<RosterFixture> fixtures_;
    ScriptedDialogs dialogs_;
    LcgRandom lcg_;
    std::unique_ptr<MainWindow> form_;
    // The window's controls by their names; gone before the window.
    std::unique_ptr<WindowControls> controls_;

    MonkeyReport report_;
    Before before_;
    Happened happened_;
    int beforePlaced_ = 0;
    std::string action_;
    std::deque<std::function<void()>> planned_;
    std::deque<std::string> recent_;
    bool aboutPending_ = false;
};

}  // namespace

MonkeyReport RunMonkey(std::uint64_t seed, long events, std::FILE* progress) {
    std::fprintf(stderr, "monkey: seed %llu, %ld events\n", static_cast<unsigned long long>(seed),
                 events);
    Monkey monkey(seed);
    return monkey.Run(events, progress);
}

std::string Summary(const MonkeyReport& r) {
    std::string text = "monkey: seed " + std::to_string(r.seed) + ", " +
                       std::to_string(r.eventsRun) + " events, " +
                       (r.Failed() ? "FINDING" : "no finding") + "\n";
    text += "  loads " + std::to_string(r.loadsAccepted) + " accepted / " +
            std::to_string(r.loadsRefused) + " refused, saves " + std::to_string(r.savesWritten) +
            " written / " + std::to_string(r.savesRefused) + " refused, registrations " +
            std::to_string(r.registrations) + ", deletions " + std::to_string(r.deletions) +
            ", moves " + std::to_string(r.moves) + "\n";
    text += "  grouping runs " + std::to_string(r.groupingRuns) + ", pastes " +
            std::to_string(r.pastes) + ", returns " + std::to_string(r.returns) + ", previews " +
            std::to_string(r.previews) + ", prints to file " + std::to_string(r.printsToFile) +
            ", error reports " + std::to_string(r.errorReports) + ", most players " +
            std::to_string(r.mostPlayers) + ", most placed " + std::to_string(r.mostPlaced) + "\n";
    if (r.Failed()) {
        text += "  broken after event " + std::to_string(r.failedEvent) + ": " + r.failure + "\n";
        text += "  last events:\n";
        for (const auto& event : r.recent) text += "    " + event + "\n";
        text += "  replay: scripts/monkey " + std::to_string(r.seed) + " " +
                std::to_string(r.failedEvent) + "\n";
    }
    return text;
}

}  // namespace tovi::test
