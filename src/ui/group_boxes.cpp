// The six group boxes, automatic grouping and grouping by hand.
#include <QCheckBox>

#include "grouping/auto_grouping.h"
#include "grouping/manual_grouping.h"
#include "model/int_conversion.h"
#include "ui/main_window.h"
#include "ui/messages.h"

namespace tovi {
namespace {

// Ten ideographic spaces and three ASCII spaces: wider than a box, so one
// write blanks a whole name row.
const std::string kGroupBlankText =
    "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40   ";

int GroupRowY(int row) { return GroupRowPitch * row + 6; }

}  // namespace

void TForm1::DspKumi() {
    for (int g = 1; g <= MaxGroups; ++g) {
        DrawingSurface& box = GroupBox[g]->Canvas();
        const auto& members = state_.GroupList[g];
        for (std::size_t i = 0; i < members.size(); ++i) {
            const int p = StrToInt(members[i]);
            const std::string name =
                p >= 0 && p < kTableRows ? state_.RosterTable[p][0] : std::string();
            box.TextOut(9, GroupRowY(static_cast<int>(i)), name);
        }
    }
}

void TForm1::KumiClr(int k) {
    if (k < 0 || k > MaxGroups) return;
    for (int g = 1; g <= MaxGroups; ++g) {
        if (k != 0 && g != k) continue;
        DrawingSurface& box = GroupBox[g]->Canvas();
        for (int r = 0; r < MaxGroupSize; ++r) box.TextOut(3, GroupRowY(r), kGroupBlankText);
        // The blank rows run past the right edge; draw the border there again.
        box.SetPenColor(kBlack);
        box.SetPenWidth(1);
        box.MoveTo(kGroupBoxWidth - 1, 0);
        box.LineTo(kGroupBoxWidth - 1, kGroupBoxHeight);
    }
    if (k == 0)
        for (auto& group : state_.GroupList) group.clear();
}

void TForm1::ImgEnab() {
    for (int g = 1; g <= MaxGroups; ++g) GroupBox[g]->SetIgnorePresses(false);
}

void TForm1::ImgDsEnab() {
    for (int g = 1; g <= MaxGroups; ++g) GroupBox[g]->SetIgnorePresses(true);
    state_.PickedMember.clear();
}

void TForm1::Image9Click() { SwitchCommand(commands_[kPasteCommand]); }

void TForm1::Image10Click() {
    if (SwitchCommand(commands_[kReturnCommand])) ImgEnab();
}

void TForm1::GroupBoxMouseDown(int group, int y) {
    if (state_.PasteButtonOn == 1) {
        switch (PasteIntoGroup(state_, group)) {
            case PasteResult::NothingPicked:
                return;
            case PasteResult::GroupFull:
                ShowMessage("人数オーバーです");
                HalMark();
                return;
            case PasteResult::Pasted:
                HalMark();
                ImgDsEnab();
                DspKumi();
                DspItiran();
                return;
        }
    } else if (state_.ReturnButtonOn == 1) {
        if (ReturnFromGroup(state_, group, y) == ReturnResult::OutOfRange) {
            ShowMessage("位置が外れています");
            return;
        }
        HalMark();
        KumiClr(group);
        DspKumi();
        DspItiran();
    }
}

void TForm1::Button1Click() {
    const GroupingOutcome outcome =
        RunAutomaticGrouping(state_, Edit6->Bytes(), CheckBox4->isChecked(), random_, clock_);
    if (outcome.stage != GroupingStage::Refused) {
        // The run has already emptied the lists; blank each box without
        // touching what it dealt.
        BtnClr();
        for (int row = 0; row < kPlacedSlotsCleared; ++row)
            MarkOn(kPlacedMarkX, row, kMarkPlaced, kMarkWhite);
        for (int g = 1; g <= MaxGroups; ++g) KumiClr(g);
    }
    if (outcome.notice != GroupingNotice::None) dialogs_.Message(GroupingMessage(outcome.notice));
    if (outcome.stage == GroupingStage::Redraw) {
        DspKumi();
        HalMark();
        DspItiran();
    }
}

void TForm1::Edit6Click() {
    BtnClr();
    Edit6->clear();
}

}  // namespace tovi
