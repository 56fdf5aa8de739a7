// The member list: its drawing, the presses on it, the command pictures below
// it, registration and the roster file.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/cp932.h"
#include "grouping/manual_grouping.h"
#include "model/member_line.h"
#include "model/roster_edit.h"
#include "model/roster_file.h"
#include "model/roster_table.h"
#include "platform/file_name.h"
#include "platform/qt_text.h"
#include "ui/main_window.h"
#include "ui/messages.h"

namespace tovi {
namespace {

// Row texts are erased by writing this glyph in white over them.
std::string EraseText(int glyphs) {
    std::string text;
    for (int i = 0; i < glyphs; ++i) text += "\x8d\x91";  // 国
    return text;
}

int RowTextY(int row) { return kRowTextTop + RowHeight * row; }

}  // namespace

void TForm1::ShowMessage(const char* utf8) { dialogs_.Message(QString::fromUtf8(utf8)); }

void TForm1::Hyou() {
    DrawingSurface& list = Image1->Canvas();
    list.SetPenColor(kBlack);
    list.SetPenWidth(1);
    list.SetBrushColor(kWhite);
    list.Rectangle(0, 0, ListWidth + 1, MemberCapacity * RowHeight + 1);
    for (int i = 0; i < GridLineCount; ++i) {
        list.MoveTo(0, RowHeight * i);
        list.LineTo(ListWidth, RowHeight * i);
    }
    for (int i = 0; i <= 7; ++i) {
        list.MoveTo(ColumnX[i], 0);
        list.LineTo(ColumnX[i], MemberCapacity * RowHeight);
    }
    // 1..9 at x 19 and 10..40 at x 11 end together when a digit is 8 pixels
    // wide: the fixed-pitch gothic at 12 points has such digits (at 14 points
    // they would be 9.5 and the tens would end a pixel or two further right).
    // Names, teams and marks keep the proportional face.
    list.SetFontFace(Utf8ToCp932("ＭＳ ゴシック"));
    list.SetFontSize(12);
    list.SetFontColor(kBlack);
    for (int k = 1; k <= MemberCapacity; ++k)
        list.TextOut(k <= 9 ? 19 : 11, RowTextY(k - 1), std::to_string(k));
    list.SetFontFace(Utf8ToCp932("ＭＳ Ｐゴシック"));

    DrawingSurface& header = Image2->Canvas();
    header.SetPenColor(kBlack);
    header.SetPenWidth(1);
    header.SetBrushColor(kWhite);
    for (int x : ColumnX) {
        header.MoveTo(x, 1);
        header.LineTo(x, 25);
    }
    header.SetFontHeight(14);
    header.TextOut(79, 5, Utf8ToCp932("氏　　名"));
    header.TextOut(220, 5, Utf8ToCp932("所 属 チーム"));
    header.TextOut(343, 5, Utf8ToCp932("性別"));
    header.TextOut(410, 5, Utf8ToCp932("設　 定"));

    state_.GroupTextHeight = 12 + 3;
    BlankRosterTable(state_);
    state_.CommandState = kCommandNone;
    Edit6->clear();
    ImgDsEnab();
    BtnClr();
    Bunkatu();
}

void TForm1::Bunkatu() {
    const int n = static_cast<int>(state_.RosterList.size());
    DrawingSurface& list = Image1->Canvas();
    list.SetFontSize(12);
    list.SetFontColor(kWhite);
    static const std::string name = EraseText(7), team = EraseText(9), gender = EraseText(2),
                             marks = EraseText(5);
    for (int r = 0; r <= n; ++r) {
        const int y = RowTextY(r);
        list.TextOut(45, y, name);
        list.TextOut(183, y, team);
        list.TextOut(343, y, gender);
        list.TextOut(kEntryMarkX, y, marks);
    }
    list.SetFontColor(kBlack);
    HalMark();
    ParseRoster(state_);
    DspItiran();
}

void TForm1::DspItiran() {
    const int n = static_cast<int>(state_.RosterList.size());
    DrawingSurface& list = Image1->Canvas();
    for (int r = 0; r < n && r < kTableRows; ++r) {
        const int y = RowTextY(r);
        list.TextOut(TextColumnX[0] + 10, y, state_.RosterTable[r][0]);
        list.TextOut(TextColumnX[1] + 10, y, state_.RosterTable[r][1]);
        list.TextOut(TextColumnX[2] + 10, y, state_.RosterTable[r][2]);
    }
    const TallyResult tally = ComputeTallies(state_);
    Label[8]->setText(QString::number(state_.EntryCount));
    Label[27]->setText(QString::number(state_.PlacedCount));
    if (tally.overLimit)
        ShowMessage("出場者が３６名を超えています");
    else if (tally.groupCountText)
        Edit6->SetBytes(*tally.groupCountText);
    Image1->show();
    Panel3->show();
}

void TForm1::MarkOn(int x, int row, int mark, int colour) {
    DrawingSurface& list = Image1->Canvas();
    const int y = RowHeight * row + kRowMarkTop;
    // By code: kMarkWhite, kMarkBlack, kMarkRed; kMarkStar, kMarkEntry, kMarkPlaced, kMarkLeader.
    static const Rgb colours[] = {kWhite, kBlack, kRed};
    if (colour >= kMarkWhite && colour <= kMarkRed) list.SetFontColor(colours[colour]);
    static const char* const marks[] = {"*", "出場", "⇒", "リーダ"};
    if (mark >= kMarkStar && mark <= kMarkLeader) list.TextOut(x, y, Utf8ToCp932(marks[mark]));
    list.SetFontColor(kBlack);
}

void TForm1::HalMark() {
    const int n = static_cast<int>(state_.RosterList.size());
    DrawingSurface& list = Image1->Canvas();
    list.SetFontColor(kWhite);
    static const std::string wipe = EraseText(5);
    for (int k = 0; k < MemberCapacity; ++k) list.TextOut(kEntryMarkX, RowTextY(k), wipe);
    list.SetFontColor(kBlack);
    for (int i = 0; i < n && i < kFlagSlots; ++i) {
        if (state_.EntryFlag[i] == 1) MarkOn(kEntryMarkX, i, kMarkEntry, kMarkBlack);
        if (state_.LeaderFlag[i] == 1) MarkOn(kEntryMarkX, i, kMarkLeader, kMarkBlack);
        if (state_.PlacedFlag[i] == 1) MarkOn(kPlacedMarkX, i, kMarkPlaced, kMarkRed);
    }
}

void TForm1::BtnClr() {
    for (const CommandPicture& command : commands_) {
        command.DrawFace(false);
        if (command.Code() == kCommandMoveSource) {
            // A marked move source is erased while the command still says so.
            if (state_.CommandState == kCommandMoveTarget)
                MarkOn(kSourceMarkX, state_.SelectedRow, kMarkStar, kMarkWhite);
            state_.CommandState = kCommandNone;
        }
        command.Release(state_);
    }
}

void TForm1::Image1MouseDown(int y) {
    state_.PickedMember.clear();
    const int row = y / RowHeight;
    switch (state_.CommandState) {
        case kCommandMoveSource:
            if (!HoldsMember(state_, row)) return;
            state_.SelectedRow = row;
            state_.MovedLine = state_.RosterList[row];
            state_.SourceMarkY = RowHeight * row + kRowMarkTop;
            MarkOn(kSourceMarkX, row, kMarkStar, kMarkRed);
            state_.CommandState = kCommandMoveTarget;
            return;
        case kCommandMoveTarget:
            state_.TargetRow = row;
            if (!EditRoster([source = state_.SelectedRow, row](TournamentState& s) {
                    return MoveMember(s, source, row);
                }))
                return;
            MarkOn(kSourceMarkX, state_.SelectedRow, kMarkStar, kMarkWhite);
            state_.CommandState = kCommandMoveSource;
            Bunkatu();
            return;
        case kCommandDelete: {
            state_.SelectedRow = row;
            MarkOn(kSourceMarkX, row, kMarkStar, kMarkRed);
            if (dialogs_.YesNo(QStringLiteral("削除"), QStringLiteral("この行を削除しますか")))
                EditRoster([row](TournamentState& s) { return DeleteMember(s, row); });
            MarkOn(kSourceMarkX, row, kMarkStar, kMarkWhite);
            Bunkatu();
            return;
        }
        case kCommandEntry:
            if (ToggleEntry(state_, row)) Bunkatu();
            return;
        case kCommandLeader:
            if (ToggleLeader(state_, row)) Bunkatu();
            return;
        case kCommandPastePick:
            if (!CanPick(state_, row)) return;
            HalMark();
            state_.PickedMember = std::to_string(row);
            MarkOn(kPlacedMarkX, row, kMarkPlaced, kMarkBlack);
            ImgEnab();
            return;
        default:
            return;
    }
}

bool TForm1::EditRoster(const std::function<bool(TournamentState&)>& edit) {
    if (scores_.Get().cards.empty()) return edit(state_);
    // The scores go along with their members: of two members with the same
    // line, each keeps its own.
    const std::vector<int> positions = PositionsAfter(state_, edit);
    const std::vector<std::string> before = state_.RosterList;
    if (!edit(state_)) return false;
    scores_.FollowRoster(before, positions, state_.RosterList);
    WriteRecovery();
    return true;
}

void TForm1::SwitchRowCommand(const CommandPicture& command) {
    // Switching a row command on or off first switches everything off.
    const bool wasOn = command.IsOn(state_);
    BtnClr();
    if (!wasOn) command.SwitchOn(state_);
}

void TForm1::Image3Click() { SwitchRowCommand(commands_[kMoveCommand]); }

void TForm1::Image4Click() { SwitchRowCommand(commands_[kDeleteCommand]); }

bool TForm1::SwitchCommand(const CommandPicture& command) {
    if (command.IsOn(state_)) {
        // Switching off repaints this face alone; nothing else changes.
        command.DrawFace(false);
        state_.CommandState = kCommandNone;
        command.Release(state_);
        return false;
    }
    BtnClr();
    command.SwitchOn(state_);
    return true;
}

void TForm1::Image6Click() { SwitchCommand(commands_[kEntryCommand]); }

void TForm1::Image7Click() { SwitchCommand(commands_[kLeaderCommand]); }

void TForm1::Button6Click() {
    if (static_cast<int>(state_.RosterList.size()) >= MemberCapacity) {
        ShowMessage("登録出来ません。人数が超過します");
        return;
    }
    const std::string name = Edit1->Bytes();
    const std::string team = Edit2->Bytes();
    const int gender = GenderIndex();
    bool valid = true;
    if (name.empty()) {
        ShowMessage("氏名を入力して下さい");
        valid = false;
    }
    if (gender < 0) {
        ShowMessage("性別を入力して下さい");
        valid = false;
    }
    if (valid) {
        state_.RosterList.push_back(
            MakeMemberLine(name, team, Utf8ToCp932(gender == 0 ? "男" : "女")));
        SetGenderIndex(-1);
        Bunkatu();
    }
    SetGenderIndex(0);
}

void TForm1::Edit1Click() { Edit1->clear(); }

void TForm1::Edit2Click() { Edit2->clear(); }

bool TForm1::RunRosterFileOperation(RosterFileOperation operation, const QString& chosen) {
    // A name whose bytes are not known is refused rather than opened or
    // saved under another name.
    const std::optional<std::filesystem::path> path = TryQtToPath(chosen);
    RosterFileStatus status = RosterFileStatus::BadFileName;
    std::size_t memberLines = 0;
    if (path) {
        status = operation == RosterFileOperation::Load ? LoadRoster(state_, *path, &memberLines)
                                                        : SaveRoster(state_, *path);
    }
    if (status != RosterFileStatus::Ok) {
        dialogs_.Message(RosterFileMessage(status, memberLines));
        return false;
    }
    // The caption shows the file after every successful open or save.
    setWindowTitle(PathToQt(state_.CurrentFileName));
    savedRoster_ = state_.RosterList;
    return true;
}

void TForm1::Button10Click() {
    BtnClr();
    ScrollListToTop();
    if (const auto chosen = dialogs_.OpenFileName())
        if (!RunRosterFileOperation(RosterFileOperation::Load, *chosen)) return;
    Hyou();
}

void TForm1::Button8Click() {
    BtnClr();
    ScrollListToTop();
    if (const auto chosen = dialogs_.SaveFileName())
        RunRosterFileOperation(RosterFileOperation::Save, *chosen);
}

}  // namespace tovi
