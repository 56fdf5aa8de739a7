#include "ui/main/grouping_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <utility>

#include "grouping/auto_grouping.h"
#include "grouping/manual_grouping.h"
#include "platform/picture_widget.h"
#include "ui/common/list_commands.h"
#include "ui/common/messages.h"
#include "ui/main/handler_runner.h"
#include "ui/main/member_list.h"
#include "ui/main/widget_factory.h"

namespace tovi {

GroupingPanel::GroupingPanel(QWidget& form, TournamentState& state, Dialogs& dialogs,
                             RandomSource& random, Clock& clock, MemberList& list,
                             const HandlerRunner& runner,
                             std::function<PairingSource()> pairingSource,
                             const std::function<void(const RecordedDrawing&)>& printObserver)
    : state_(state),
      dialogs_(dialogs),
      random_(random),
      clock_(clock),
      list_(list),
      pairingSource_(std::move(pairingSource)),
      printObserver_(printObserver) {
    automaticPanel_ = MakePanel("Panel4", &form, 768, 95, 220, 110);
    MakeLabel("Label25", automaticPanel_, QStringLiteral("まかせて組み合わせ"), 47, 11,
              {15, kWhite});
    MakeLabel("Label22", automaticPanel_, QStringLiteral("組 数"), 13, 45, {15});
    groupCountEdit_ =
        MakeEdit("Edit6", automaticPanel_, 2, 60, 38, 30, 32, 19, kPGothicFace, kNumber);
    MakeLabel("Label23", automaticPanel_, QStringLiteral("組"), 96, 45, {16});
    startButton_ =
        MakeButton("Button1", automaticPanel_, QStringLiteral("開　始"), 140, 38, 65, 28);
    balanceGenders_ = new QCheckBox(QStringLiteral("男女を平均的に振り分ける"), automaticPanel_);
    balanceGenders_->setObjectName(QStringLiteral("CheckBox4"));
    balanceGenders_->setGeometry(15, 75, 180, 25);
    balanceGenders_->setChecked(true);

    manualPanel_ = MakePanel("Panel1", &form, 532, 95, 220, 110);
    MakeLabel("Label26", manualPanel_, QStringLiteral("自分で組み合わせ"), 57, 11, {15, kWhite});
    returnCommand_ = MakePicture("Image10", manualPanel_, 15, 40, 90, 24);
    pasteCommand_ = MakePicture("Image9", manualPanel_, 115, 40, 90, 24);

    countsPanel_ = MakePanel("Panel6", &form, 542, 624, 440, 26);
    MakeLabel("Label7", countsPanel_, QStringLiteral("出場設定数"), 13, 5, {15});
    playerCount_ = MakeLabel("Label8", countsPanel_, QStringLiteral("0"), 115, 5, {15}, 24, 17);
    MakeLabel("Label9", countsPanel_, QStringLiteral("人"), 140, 5, {15});
    MakeLabel("Label24", countsPanel_, QStringLiteral("貼り付け数"), 280, 5, {15});
    placedCount_ = MakeLabel("Label27", countsPanel_, QStringLiteral("0"), 381, 5, {15}, 24, 17);
    MakeLabel("Label28", countsPanel_, QStringLiteral("人"), 407, 5, {15});

    boxes_ = std::make_unique<GroupBoxes>(form, state_, [this, &runner](int group, int y) {
        runner.Run([&] { PressGroupBox(group, y); });
    });

    // In the free room between the panels and the group boxes, under
    // まかせて組み合わせ.
    pairingPrintButton_ =
        MakeButton("PairingPrintButton", &form, QStringLiteral("組み合わせ表"), 768, 240, 105, 28);
    pairingCsvButton_ =
        MakeButton("PairingCsvButton", &form, QStringLiteral("組み合わせCSV"), 883, 240, 105, 28);

    // The list's pending command covers these two pictures as well.
    using Face = CommandPicture::Face;
    list_.AttachCommand({pasteCommand_, Face{"貼り付け", 11, 5, kInactiveBorder, "→", 70},
                         &ListInteraction::pasteButtonOn, ListCommand::PastePick});
    list_.AttachCommand({returnCommand_, Face{"戻 す", 45, 5, kInactiveBorder, "←", 15},
                         &ListInteraction::returnButtonOn, ListCommand::Return});

    runner.Connect(startButton_, &QPushButton::clicked, [this] { StartAutomaticGrouping(); });
    runner.Connect(groupCountEdit_, &ByteEdit::clicked, [this] { GroupCountClicked(); });
    runner.Connect(pasteCommand_, &PictureWidget::clicked, [this] { TogglePasteCommand(); });
    runner.Connect(returnCommand_, &PictureWidget::clicked, [this] { ToggleReturnCommand(); });
    runner.Connect(pairingPrintButton_, &QPushButton::clicked, [this] { PrintPairingList(); });
    runner.Connect(pairingCsvButton_, &QPushButton::clicked, [this] { SavePairingCsv(); });
    QObject::connect(&list_, &MemberList::redrawStarted, countsPanel_, [this] {
        EmptyGroupCount();
        LockGroupBoxes();
    });
    QObject::connect(&list_, &MemberList::tallied, countsPanel_,
                     [this](const TallyResult& tally) { ShowTallies(tally); });
    QObject::connect(&list_, &MemberList::memberPicked, countsPanel_,
                     [this] { boxes_->AcceptPresses(); });
}

GroupingPanel::~GroupingPanel() = default;

void GroupingPanel::PrepareFirstScreen() {
    for (PictureWidget* picture : {pasteCommand_, returnCommand_}) {
        DrawingSurface& c = picture->Canvas();
        c.SetPenColor(kInactiveBorder);
        c.SetBrushColor(kInactiveBorder);
        c.Rectangle(0, 0, picture->width(), picture->height());
    }
    boxes_->PaintFirstFaces();
    EmptyGroupCount();
}

QWidget* GroupingPanel::LastTabStop() const { return pairingCsvButton_; }

void GroupingPanel::ShowTallies(const TallyResult& tally) {
    playerCount_->setText(QString::number(state_.entryCount));
    placedCount_->setText(QString::number(state_.placedCount));
    if (tally.overLimit)
        dialogs_.Message(NoticeText(Notice::TooManyPlayers));
    else if (tally.groupCountText)
        groupCountEdit_->SetBytes(*tally.groupCountText);
}

void GroupingPanel::LockGroupBoxes() {
    boxes_->IgnorePresses();
    list_.Interaction().pickedMember.clear();
}

void GroupingPanel::ShowGroupBoxes() {
    boxes_->Show();
    startButton_->show();
}

void GroupingPanel::HideGroupBoxes() { boxes_->Hide(); }

void GroupingPanel::TogglePasteCommand() { list_.ToggleCommand(MemberList::Command::Paste); }

void GroupingPanel::ToggleReturnCommand() {
    if (list_.ToggleCommand(MemberList::Command::Return)) boxes_->AcceptPresses();
}

void GroupingPanel::PressGroupBox(int group, int y) {
    if (list_.Interaction().pasteButtonOn) {
        switch (PasteIntoGroup(state_, list_.Interaction().pickedMember, group)) {
            case PasteResult::NothingPicked:
                return;
            case PasteResult::GroupFull:
                dialogs_.Message(NoticeText(Notice::GroupFull));
                list_.RedrawMarks();
                return;
            case PasteResult::Pasted:
                list_.RedrawMarks();
                LockGroupBoxes();
                boxes_->WriteNames();
                list_.ShowRowsAndTallies();
                return;
        }
    } else if (list_.Interaction().returnButtonOn) {
        if (ReturnFromGroup(state_, group, y) == ReturnResult::OutOfRange) {
            dialogs_.Message(NoticeText(Notice::OutsideGroup));
            return;
        }
        list_.RedrawMarks();
        boxes_->Clear(group);
        boxes_->WriteNames();
        list_.ShowRowsAndTallies();
    }
}

void GroupingPanel::StartAutomaticGrouping() {
    const GroupingOutcome outcome = RunAutomaticGrouping(
        state_, groupCountEdit_->Bytes(), balanceGenders_->isChecked(), random_, clock_);
    if (outcome.stage != GroupingStage::Refused) {
        // The run has already emptied the lists; blank each box without
        // touching what it dealt.
        list_.SwitchOffCommands();
        for (int row = 0; row < kPlacedSlotsCleared; ++row)
            list_.DrawMark(kPlacedMarkX, row, kMarkPlaced, kMarkWhite);
        for (int g = 1; g <= MaxGroups; ++g) boxes_->Clear(g);
    }
    if (outcome.notice != GroupingNotice::None) dialogs_.Message(GroupingMessage(outcome.notice));
    if (outcome.stage == GroupingStage::Redraw) {
        boxes_->WriteNames();
        list_.RedrawMarks();
        list_.ShowRowsAndTallies();
    }
}

std::optional<PairingPrintedList> GroupingPanel::PairingList() {
    PairingSource source = pairingSource_();
    PairingSheet sheet = MakePairingSheet(state_, std::move(source.heading), source.starts);
    if (sheet.groups.empty()) {
        dialogs_.Message(NoticeText(Notice::NoGroupToPrint));
        return std::nullopt;
    }
    return std::optional<PairingPrintedList>(std::in_place, std::move(sheet));
}

void GroupingPanel::PrintPairingList() {
    if (const std::optional<PairingPrintedList> pairing = PairingList())
        PrintList(dialogs_, *pairing, printObserver_);
}

void GroupingPanel::SavePairingCsv() {
    if (const std::optional<PairingPrintedList> pairing = PairingList())
        SaveListCsv(dialogs_, *pairing);
}

void GroupingPanel::GroupCountClicked() {
    list_.SwitchOffCommands();
    EmptyGroupCount();
}

void GroupingPanel::EmptyGroupCount() { groupCountEdit_->clear(); }

}  // namespace tovi
