#include "ui/main/registration_panel.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/cp932.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "platform/file_name.h"
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
    if (static_cast<int>(state_.rosterList.size()) >= MemberCapacity) {
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
        state_.rosterList.push_back(
            MakeMemberLine(name, team, Utf8ToCp932(gender == 0 ? "男" : "女")));
        SetGenderIndex(-1);
        list_.RefreshRows();
    }
    SetGenderIndex(0);
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
