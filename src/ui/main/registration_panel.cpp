#include "ui/main/registration_panel.h"

#include <QButtonGroup>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <string>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/member_line.h"
#include "model/roster_edit.h"
#include "model/roster_file.h"
#include "platform/file_name.h"
#include "platform/qt_text.h"
#include "ui/common/messages.h"
#include "ui/main/handler_runner.h"
#include "ui/main/member_list.h"
#include "ui/main/widget_factory.h"

namespace tovi {

RegistrationPanel::RegistrationPanel(QWidget& form, TournamentState& state, Dialogs& dialogs,
                                     MemberList& list, const HandlerRunner& runner)
    : form_(form), state_(state), dialogs_(dialogs), list_(list) {
    panel_ = MakePanel("Panel2", &form, 537, 85, 440, 175);
    MakeLabel("Label6", panel_, QStringLiteral("メンバー登録"), 170, 9,
              {16, kWhite, true, &kPMinchoFace}, 124, 19);
    MakeLabel("Label1", panel_, QStringLiteral("氏　名"), 40, 42, {16}, 56, 21);
    nameEdit_ = MakeEdit("Edit1", panel_, 14, 118, 35, 180, 20, 19, kPGothicFace, kComposition);
    MakeLabel("Label2", panel_, QStringLiteral("チーム"), 40, 81, {16}, 56, 21);
    teamEdit_ = MakeEdit("Edit2", panel_, 16, 118, 75, 180, 20, 19, kPGothicFace, kComposition);
    // 生年月日, optional: number boxes in the row between チーム and the buttons.
    MakeLabel("BirthDateLabel", panel_, QStringLiteral("生年月日"), 40, 105, {14}, 64, 19);
    yearEdit_ = MakeEdit("BirthYearEdit", panel_, 4, 118, 103, 44, 20, 15, kPGothicFace, kNumber);
    MakeLabel("BirthYearLabel", panel_, QStringLiteral("年"), 165, 105, {14}, 16, 18);
    monthEdit_ = MakeEdit("BirthMonthEdit", panel_, 2, 184, 103, 28, 20, 15, kPGothicFace, kNumber);
    MakeLabel("BirthMonthLabel", panel_, QStringLiteral("月"), 215, 105, {14}, 16, 18);
    dayEdit_ = MakeEdit("BirthDayEdit", panel_, 2, 234, 103, 28, 20, 15, kPGothicFace, kNumber);
    MakeLabel("BirthDayLabel", panel_, QStringLiteral("日"), 265, 105, {14}, 16, 18);

    auto* genderBox = new QGroupBox(panel_);
    genderBox->setObjectName(QStringLiteral("RadioGroup2"));
    genderBox->setGeometry(330, 24, 63, 50);
    Fill(genderBox, kInactiveCaption);
    auto* genders = new QButtonGroup(genderBox);
    const QString items[] = {QStringLiteral("男性"), QStringLiteral("女性")};
    for (int i = 0; i < 2; ++i) {
        QRadioButton*& item = genderItems_[static_cast<std::size_t>(i)];
        item = new QRadioButton(items[i], genderBox);
        item->setObjectName(QStringLiteral("RadioGroup2Item%1").arg(i));
        item->setGeometry(6, 5 + 21 * i, 55, 20);
        genders->addButton(item, i);
    }
    genderItems_[0]->setChecked(true);

    openButton_ = MakeButton("Button10", panel_, QStringLiteral("読み出し"), 40, 127, 90, 25, 10);
    saveButton_ = MakeButton("Button8", panel_, QStringLiteral("保　存"), 140, 127, 90, 25, 10);
    registerButton_ = MakeButton("Button6", panel_, QStringLiteral("登　録"), 326, 127, 83, 27, 11);
    QPalette palette = registerButton_->palette();
    palette.setColor(QPalette::ButtonText, ToQColor(kTeal));
    registerButton_->setPalette(palette);

    runner.Connect(registerButton_, &QPushButton::clicked, [this] { RegisterMember(); });
    runner.Connect(saveButton_, &QPushButton::clicked, [this] { SaveRoster(); });
    runner.Connect(openButton_, &QPushButton::clicked, [this] { OpenRoster(); });
    // A click into the name or the team empties it.
    runner.Connect(nameEdit_, &ByteEdit::clicked, [this] { nameEdit_->clear(); });
    runner.Connect(teamEdit_, &ByteEdit::clicked, [this] { teamEdit_->clear(); });
    for (ByteEdit* edit : {yearEdit_, monthEdit_, dayEdit_})
        runner.Connect(edit, &ByteEdit::clicked, [edit] { edit->clear(); });

    QObject::connect(&list, &MemberList::correctionRequested, &form,
                     [this, &runner](int row) { runner.Run([&] { TakeForCorrection(row); }); });
    // A correction given up leaves nothing of the member in the boxes, so
    // that a 登　録 afterwards does not add the member a second time.
    QObject::connect(&list, &MemberList::correctionCancelled, &form, [this] {
        for (ByteEdit* edit : {nameEdit_, teamEdit_, yearEdit_, monthEdit_, dayEdit_})
            edit->clear();
        SetGenderIndex(0);
    });
}

bool RegistrationPanel::GiveUpCorrection() {
    if (!list_.Interaction().correctButtonOn) return false;
    list_.SwitchOffCommands();
    return true;
}

int RegistrationPanel::GenderIndex() const {
    for (int i = 0; i < 2; ++i)
        if (genderItems_[static_cast<std::size_t>(i)]->isChecked()) return i;
    return -1;
}

void RegistrationPanel::SetGenderIndex(int index) {
    auto* group = genderItems_[0]->group();
    group->setExclusive(false);
    for (int i = 0; i < 2; ++i) genderItems_[static_cast<std::size_t>(i)]->setChecked(i == index);
    group->setExclusive(true);
}

void RegistrationPanel::RegisterMember() {
    const ListInteraction& interaction = list_.Interaction();
    const bool correcting = interaction.correctButtonOn;
    if (correcting && interaction.commandState != ListCommand::CorrectEdit) {
        dialogs_.Message(NoticeText(Notice::CorrectRowMissing));
        return;
    }
    if (!correcting && static_cast<int>(state_.rosterList.size()) >= MemberCapacity) {
        dialogs_.Message(NoticeText(Notice::RosterFull));
        return;
    }
    const std::string name = nameEdit_->Bytes();
    const std::string team = teamEdit_->Bytes();
    const int gender = GenderIndex();
    bool valid = true;
    if (name.empty()) {
        dialogs_.Message(NoticeText(Notice::NameMissing));
        valid = false;
    }
    if (gender < 0) {
        dialogs_.Message(NoticeText(Notice::GenderMissing));
        valid = false;
    }
    if (valid) {
        // A wrong date stops here with nothing changed, the gender as chosen.
        std::optional<BirthDate> born;
        if (!ReadBirthDate(born)) return;
        std::string line = MakeMemberLine(name, team, Utf8ToCp932(gender == 0 ? "男" : "女"), born);
        SetGenderIndex(-1);
        if (correcting) {
            list_.CorrectPickedMember(std::move(line));
        } else {
            state_.rosterList.push_back(std::move(line));
            list_.RefreshRows();
        }
        // A date belongs to one member: the next one starts without it.
        ShowBirthDate(std::nullopt);
    }
    SetGenderIndex(0);
}

bool RegistrationPanel::ReadBirthDate(std::optional<BirthDate>& born) {
    const QDate now = QDate::currentDate();
    const BirthDate today{now.year(), now.month(), now.day()};
    const BirthDateEntry entry =
        CheckBirthDate(yearEdit_->Bytes(), monthEdit_->Bytes(), dayEdit_->Bytes(), today);
    switch (entry.error) {
        case BirthDateError::None:
            born = entry.date;
            return true;
        case BirthDateError::Partial:
            dialogs_.Message(NoticeText(Notice::BirthDatePartial));
            break;
        case BirthDateError::NotNumber:
            dialogs_.Message(NoticeText(Notice::BirthDateNotNumber));
            break;
        case BirthDateError::Year:
            dialogs_.Message(NoticeText(Notice::BirthDateYear).arg(today.year));
            break;
        case BirthDateError::Month:
            dialogs_.Message(NoticeText(Notice::BirthDateMonth));
            break;
        case BirthDateError::Day:
            dialogs_.Message(NoticeText(Notice::BirthDateDay)
                                 .arg(entry.typed.month)
                                 .arg(DaysInMonth(entry.typed.year, entry.typed.month)));
            break;
        case BirthDateError::AfterToday:
            dialogs_.Message(NoticeText(Notice::BirthDateAfterToday));
            break;
    }
    return false;
}

void RegistrationPanel::ShowBirthDate(const std::optional<BirthDate>& born) {
    yearEdit_->setText(born ? QString::number(born->year) : QString());
    monthEdit_->setText(born ? QString::number(born->month) : QString());
    dayEdit_->setText(born ? QString::number(born->day) : QString());
}

void RegistrationPanel::TakeForCorrection(int row) {
    if (!HoldsMember(state_, row)) return;
    const MemberFields fields = ReadMemberFields(state_.rosterList[static_cast<std::size_t>(row)]);
    // The boxes hold what registration can write; a longer name or team, or
    // bytes the boxes cannot show, would be cut or changed by the correction.
    const auto fits = [](const ByteEdit& edit, const std::string& text) {
        return static_cast<int>(text.size()) <= edit.MaxBytes() &&
               TryQtToCp932(Cp932ToQt(text)) == text;
    };
    if (!fits(*nameEdit_, fields.name) || !fits(*teamEdit_, fields.team)) {
        dialogs_.Message(NoticeText(Notice::CorrectDoesNotFit));
        return;
    }
    list_.PickForCorrection(row);
    nameEdit_->SetBytes(fields.name);
    teamEdit_->SetBytes(fields.team);
    SetGenderIndex(fields.gender == cp932::kMale ? 0 : fields.gender == cp932::kFemale ? 1 : -1);
    ShowBirthDate(fields.born);
}

bool RegistrationPanel::RunFileOperation(FileOperation operation, const QString& chosen) {
    // A name whose bytes are not known is refused rather than opened or
    // saved under another name.
    const std::optional<std::filesystem::path> path = TryQtToPath(chosen);
    RosterFileStatus status = RosterFileStatus::BadFileName;
    std::size_t memberLines = 0;
    if (path) {
        status = operation == FileOperation::Load ? LoadRoster(state_, *path, &memberLines)
                                                  : tovi::SaveRoster(state_, *path);
    }
    if (status != RosterFileStatus::Ok) {
        dialogs_.Message(RosterFileMessage(status, memberLines));
        return false;
    }
    // The caption shows the file after every successful open or save.
    form_.setWindowTitle(PathToQt(state_.currentFileName));
    savedRoster_ = state_.rosterList;
    return true;
}

void RegistrationPanel::OpenRoster() {
    list_.SwitchOffCommands();
    list_.ScrollToTop();
    if (const auto chosen = dialogs_.OpenFileName())
        if (!RunFileOperation(FileOperation::Load, *chosen)) return;
    list_.Redraw();
}

void RegistrationPanel::SaveRoster() {
    list_.SwitchOffCommands();
    list_.ScrollToTop();
    if (const auto chosen = dialogs_.SaveFileName()) RunFileOperation(FileOperation::Save, *chosen);
}

}  // namespace tovi
