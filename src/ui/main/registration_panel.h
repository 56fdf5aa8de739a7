// The registration panel: name, team and gender of a new member with 登　録,
// and the roster file commands 読み出し and 保　存.
#pragma once

#include <QString>

#include <array>
#include <string>
#include <vector>

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

    // 登　録: adds the member typed in, or says what is missing.
    void RegisterMember();
    // 読み出し and 保　存, through the open and save dialogs.
    void OpenRoster();
    void SaveRoster();

    // The gender chosen: 0 男性, 1 女性, -1 none.
    int GenderIndex() const;
    // True when the roster differs from the one last opened or saved.
    bool RosterChanged() const { return state_.rosterList != savedRoster_; }

private:
    void SetGenderIndex(int index);
    // Loads or saves through the chosen path; reports a failure, or shows the
    // path as the window's caption.  True on success.
    enum class FileOperation { Load, Save };
    bool RunFileOperation(FileOperation operation, const QString& chosen);

    QWidget& form_;
    TournamentState& state_;
    Dialogs& dialogs_;
    MemberList& list_;
    QFrame* panel_ = nullptr;                     // Panel2
    ByteEdit* nameEdit_ = nullptr;                // Edit1
    ByteEdit* teamEdit_ = nullptr;                // Edit2
    std::array<QRadioButton*, 2> genderItems_{};  // RadioGroup2: 男性, 女性
    QPushButton* openButton_ = nullptr;           // Button10
    QPushButton* saveButton_ = nullptr;           // Button8
    QPushButton* registerButton_ = nullptr;       // Button6
    // The roster as last opened or saved.
    std::vector<std::string> savedRoster_;
};

}  // namespace tovi
