// The main window: it owns the state record and every control, lays them out,
// switches the three work modes and holds the handlers of every control.
//
// The controls keep the numbered names the rest of the program ties behaviour
// to (Panel1..Panel6, Edit1..Edit15, Image1..Image23, Label1..Label35), and
// the handlers are named after their control and event.
#pragma once

#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/recorded_drawing.h"
#include "grouping/random_source.h"
#include "model/roster_file.h"
#include "model/tournament_state.h"
#include "platform/byte_edit.h"
#include "platform/dialogs.h"
#include "platform/picture_widget.h"
#include "results/recovery_file.h"
#include "results/score_book.h"
#include "scoresheet/score_sheet.h"
#include "ui/command_picture.h"

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace tovi {

class AboutBox;
class ResultsWindow;
struct ResultsMeeting;

// Places on the member list and the group boxes, in picture pixels.
inline constexpr int kSourceMarkX = 38;   // the "*" between the number and the name
inline constexpr int kEntryMarkX = 388;   // 出場 and リーダ in the marks column
inline constexpr int kPlacedMarkX = 450;  // ⇒ of a placed member
inline constexpr int kRowTextTop = 6;     // the texts of a row below its rule
inline constexpr int kRowMarkTop = 7;     // the marks of a row below its rule
inline constexpr int kGroupBoxWidth = 142;
inline constexpr int kGroupBoxHeight = 122;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // How much of the window the constructor builds.  Whole: every control.
    // FirstScreenFirst: all but the controls of the score-sheet mode and the
    // version dialog, so that the window appears sooner; those follow as
    // soon as the window has been painted for the first time, and in any
    // case before a handler runs.  Until then their pointers are null.
    enum class Building { Whole, FirstScreenFirst };

    TForm1(Dialogs& dialogs, RandomSource& random, Clock& clock,
           Building building = Building::Whole, QWidget* parent = nullptr);
    ~TForm1() override;

    // Builds the controls a FirstScreenFirst window leaves for later, if
    // they are not built yet.
    void FinishBuilding();
    bool IsBuilt() const { return built_; }

    TournamentState& State() { return state_; }
    const TournamentState& State() const { return state_; }
    AboutBox& About() { return *aboutBox_; }

    // Start-up, run once before the window is first shown.
    void FormCreate();

    // Mode buttons.
    void Button2Click();
    void Button3Click();
    void Button4Click();

    // Registration panel and roster file.
    void Button6Click();
    void Edit1Click();
    void Edit2Click();
    void Button10Click();
    void Button8Click();

    // Member list and its commands.
    void Image1MouseDown(int y);
    void Image3Click();
    void Image4Click();
    void Image6Click();
    void Image7Click();
    void Image9Click();
    void Image10Click();

    // Group boxes 1..6 (Image11MouseDown .. Image16MouseDown).
    void GroupBoxMouseDown(int group, int y);

    // Automatic grouping.
    void Button1Click();
    void Edit6Click();

    // Score sheet.
    void Button9Click();
    void Button7Click();
    void CheckBox2Click();
    // A click into the hole count, year, month, day, group or start-hole box empties it.
    void Edit9Click();
    void Edit10Click();
    void Edit11Click();
    void Edit12Click();
    void Edit13Click();
    void Edit14Click();
    // 全組印刷: every group that has members, one page each, in one print job.
    void PrintAllClick();

    // 成績入力: opens the results window on the groups and the score sheet's
    // hole count.
    void ResultsClick();

    // The scores of the meeting, and the results window (null until it is
    // first opened).
    ScoreBook& Scores() { return scores_; }
    ResultsWindow* ResultsView() const { return resultsWindow_.get(); }

    // True when closing the window would lose something: a roster changed
    // since it was last opened or saved, or scores not saved.
    bool HasUnsavedChanges() const;

    // Keeps the recovery file in folder from now on.  One found there, left
    // by a run that did not end normally, is offered for restoring first.
    void UseRecoveryFolder(const std::filesystem::path& folder);
    static constexpr char kRecoveryFileName[] = "results-recovery.txt";

    // Sees every page a print sends to the printer, in order (for tests);
    // an empty function stops it.
    void SetPrintObserver(std::function<void(const RecordedDrawing&)> observer) {
        printObserver_ = std::move(observer);
    }

    // Help and version.
    void Button5Click();
    void Button14Click();

    // Drawing and refresh routines.
    void Hyou();
    void Bunkatu();
    void DspItiran();
    void MarkOn(int x, int row, int mark, int colour);
    void HalMark();
    void BtnClr();
    void DspKumi();
    void KumiClr(int k);
    void KumiOn();
    void KumiOff();
    void ImgEnab();
    void ImgDsEnab();

    // The controls, by their numbered names.
    QFrame* Panel1 = nullptr;  // manual grouping
    QFrame* Panel2 = nullptr;  // registration and file
    QFrame* Panel3 = nullptr;  // member list
    QFrame* Panel4 = nullptr;  // automatic grouping
    QFrame* Panel5 = nullptr;  // score-sheet settings
    QFrame* Panel6 = nullptr;  // counts

    QPushButton* Button1 = nullptr;         // 開　始
    QPushButton* Button2 = nullptr;         // メンバー登録
    QPushButton* Button3 = nullptr;         // 組み合わせ
    QPushButton* Button4 = nullptr;         // スコア表作成
    QPushButton* Button5 = nullptr;         // ヘルプ
    QPushButton* Button6 = nullptr;         // 登　録
    QPushButton* Button7 = nullptr;         // 印　刷
    QPushButton* Button8 = nullptr;         // 保　存
    QPushButton* Button9 = nullptr;         // 確　定
    QPushButton* Button10 = nullptr;        // 読み出し
    QPushButton* Button14 = nullptr;        // バージョン
    QPushButton* PrintAllButton = nullptr;  // 全組印刷
    QPushButton* ResultsButton = nullptr;   // 成績入力

    ByteEdit* Edit1 = nullptr;   // name
    ByteEdit* Edit2 = nullptr;   // team
    ByteEdit* Edit6 = nullptr;   // group count
    ByteEdit* Edit7 = nullptr;   // meeting name
    ByteEdit* Edit8 = nullptr;   // course
    ByteEdit* Edit9 = nullptr;   // hole count
    ByteEdit* Edit10 = nullptr;  // year
    ByteEdit* Edit11 = nullptr;  // month
    ByteEdit* Edit12 = nullptr;  // day
    ByteEdit* Edit13 = nullptr;  // group number
    ByteEdit* Edit14 = nullptr;  // start hole
    ByteEdit* Edit15 = nullptr;  // title

    QGroupBox* RadioGroup2 = nullptr;
    std::array<QRadioButton*, 2> RadioGroup2Items{};
    QCheckBox* CheckBox2 = nullptr;  // ホール番号を表示しない
    QCheckBox* CheckBox4 = nullptr;  // 男女を平均的に振り分ける

    QScrollArea* ScrollBox1 = nullptr;
    PictureWidget* Image1 = nullptr;                       // member list
    PictureWidget* Image2 = nullptr;                       // its header strip
    PictureWidget* Image3 = nullptr;                       // 順移動
    PictureWidget* Image4 = nullptr;                       // 削除
    PictureWidget* Image5 = nullptr;                       // prompt of 削除
    PictureWidget* Image6 = nullptr;                       // 出場設定
    PictureWidget* Image7 = nullptr;                       // リーダ設定
    PictureWidget* Image8 = nullptr;                       // prompt of 順移動
    PictureWidget* Image9 = nullptr;                       // 貼り付け
    PictureWidget* Image10 = nullptr;                      // 戻す
    std::array<PictureWidget*, MaxGroups + 1> GroupBox{};  // [1..6] = Image11..Image16
    PictureWidget* Image23 = nullptr;                      // score-sheet preview

    std::array<QLabel*, 36> Label{};                    // Label[1..35]; unused numbers stay null
    std::array<QLabel*, MaxGroups + 1> GroupCaption{};  // [1..6] = Label11..Label16

    // Selected gender item: 0 男性, 1 女性, -1 none.
    int GenderIndex() const;
    void SetGenderIndex(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Asks first when something would be lost; a normal end removes the
    // recovery file.
    void closeEvent(QCloseEvent* event) override;
    static QRect ScoreSheetFrameArea();

private:
    // Every control but those of the score-sheet mode, and those, which are
    // placed among the others as if built in one go.
    void BuildFirstScreen();
    void BuildScoreSheetMode();
    void BuildMemberListPanel();
    void BuildRegistrationPanel();
    void BuildGroupingPanels();
    void BuildScoreSheetControls();
    void ConnectFirstScreen();
    void ConnectScoreSheetMode();
    // The window's own controls of the score-sheet mode, the preview first.
    std::array<QWidget*, 7> ScoreSheetModeControls() const;
    // The stacking and Tab order the score-sheet controls have when the
    // window is built in one go.
    void PlaceScoreSheetMode();
    // The command pictures, the prompts, the manual-grouping pictures and the
    // group boxes as the window first shows them.
    void PaintFirstFaces();
    // Shows and hides the panels and controls as the given mode has them.
    void ApplyModeVisibility(int mode);
    // Runs the handler under the guard that reports what goes wrong, after
    // finishing the building of the window.
    template <typename Handler>
    void Guarded(Handler&& handler);
    // Runs the handler, guarded, whenever the sender gives the signal.
    template <typename Sender, typename Signal>
    void Run(Sender* sender, Signal signal, void (TForm1::*handler)());

    void ScrollListToTop();
    void BuildCommandPictures();
    // Toggles the move or delete command with its prompt.
    void SwitchRowCommand(const CommandPicture& command);
    // Toggles a mark or grouping command; true when it was switched on.
    bool SwitchCommand(const CommandPicture& command);
    // Loads or saves through the chosen path; reports a failure, or shows the
    // path as the caption.  True on success.
    enum class RosterFileOperation { Load, Save };
    bool RunRosterFileOperation(RosterFileOperation operation, const QString& chosen);
    void ShowMessage(const char* utf8);
    // Makes a change of the roster by position (move, delete); the scores
    // follow their members.  What edit returns.
    bool EditRoster(const std::function<bool(TournamentState&)>& edit);
    // The print of Button7Click and PrintAllClick: one print dialog, then one
    // page per sheet at the chosen printer's scale.
    void PrintSheets(const QString& fileName, std::vector<ScoreSheetSettings>& sheets);
    // What the results window shows, with the given hole count.
    ResultsMeeting Meeting(int holes) const;
    // Writes the recovery file of the scores, or removes it when there are none.
    void WriteRecovery();
    void RemoveRecovery();
    // Brings a recorded meeting back: roster, marks, groups, hole count and
    // scores, shown in the grouping mode with the results window open.
    void Restore(const RecoveryRecord& record);

    TournamentState state_;
    Dialogs& dialogs_;
    RandomSource& random_;
    Clock& clock_;
    AboutBox* aboutBox_ = nullptr;
    bool built_ = false;
    bool finishingPosted_ = false;
    // The frame of the score-sheet mode waits for the window's next paint;
    // that paint draws it once, and the one after removes it.
    bool scoreSheetFrame_ = false;
    std::function<void(const RecordedDrawing&)> printObserver_;
    // The six command pictures, in the order BtnClr switches them off.
    enum CommandIndex {
        kMoveCommand,
        kDeleteCommand,
        kEntryCommand,
        kLeaderCommand,
        kPasteCommand,
        kReturnCommand
    };
    std::vector<CommandPicture> commands_;
    // The roster as last opened or saved.
    std::vector<std::string> savedRoster_;
    ScoreBook scores_;
    std::optional<std::filesystem::path> recoveryFile_;
    bool recoveryFailed_ = false;  // the last write of the recovery file failed
    // After the scores and the dialogs it works on: closed first.
    std::unique_ptr<ResultsWindow> resultsWindow_;
};

}  // namespace tovi
