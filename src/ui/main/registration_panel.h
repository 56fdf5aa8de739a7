// The registration panel: name, team, gender and date of birth of a new
// member with 登　録, which with 修正 on corrects the member picked instead,
// and the roster file commands 読み出し and 保　存.
#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/birth_date.h"
#include "model/tournament_state.h"
#include "platform/dialogs.h"

class QFrame;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tovi {

class ByteEdit;
class HandlerRunner;
class MemberList;

class RegistrationPanel {
public:
    RegistrationPanel(QWidget& form, TournamentState& state, Dialogs& dialogs, MemberList& list,
                      const HandlerRunner& runner);

    // 登　録: adds the member typed in, or with 修正 on puts it in place of
    // the member picked; or says what is missing or wrong.
    void RegisterMember();
    // Esc: switches 修正 off when it is on; false when it is not.
    bool GiveUpCorrection();
    // 読み出し and 保　存, through the open and save dialogs.
    void OpenRoster();
    void SaveRoster();

    // The gender chosen: 0 男性, 1 女性, -1 none.
    int GenderIndex() const;
    // True when the roster differs from the one last opened or saved.
    bool RosterChanged() const { return state_.rosterList != savedRoster_; }

private:
    void SetGenderIndex(int index);
    // 修正 picked the member on row: its name, team, gender and date come
    // into the boxes, unless the boxes cannot hold its name or team.
    void TakeForCorrection(int row);
    // The date of birth typed, nothing for none; a date that is wrong is
    // reported and gives false.
    bool ReadBirthDate(std::optional<BirthDate>& born);
    void ShowBirthDate(const std::optional<BirthDate>& born);
    // Loads or saves through the chosen path; reports a failure, or shows the
    // path as the window's caption.  True on success.
    enum class FileOperation { Load, Save };
    bool RunFileOperation(FileOperation operation, const QString& chosen);

    QWidget& form_;
    TournamentState& state_;
    Dialogs& dialogs_;
    MemberList& list_;
    QFrame* panel_ = nullptr;       // Panel2
    ByteEdit* nameEdit_ = nullptr;  // Edit1
    ByteEdit* teamEdit_ = nullptr;  // Edit2
    ByteEdit* yearEdit_ = nullptr;  // 生年月日: year, month, day
    ByteEdit* monthEdit_ = nullptr;
    ByteEdit* dayEdit_ = nullptr;
    std::array<QRadioButton*, 2> genderItems_{};  // RadioGroup2: 男性, 女性
    QPushButton* openButton_ = nullptr;           // Button10
    QPushButton* saveButton_ = nullptr;           // Button8
    QPushButton* registerButton_ = nullptr;       // Button6
    // The roster as last opened or saved.
    std::vector<std::string> savedRoster_;
};

}  // namespace tovi
