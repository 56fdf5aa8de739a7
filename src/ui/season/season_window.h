// The season window (年間成績): the club's meetings, each a results file
// added by the organiser, and the season's figures per player, ranked,
// printed and saved as CSV; the list of meetings and the settings are kept in
// a season file.  A window of its own, opened from the score-sheet mode; it
// needs neither a roster nor groups, and never writes a results file.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/recorded_drawing.h"
#include "platform/dialogs.h"
#include "season/season_document.h"
#include "sheets/printed_list.h"

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tovi {

class ListTable;
class TextTableModel;

// Its widgets have the object names AddButton (追加), RemoveButton (削除),
// MeetingTable, PointsEdit (ポイント), AttendanceBox (参加点), OrderButton0 and
// OrderButton1 (ポイント順, 平均順), MinimumRoundsBox (最低ラウンド),
// ListButton0..ListButton2 (全体, 男子, 女子), SeasonTable, PrintButton,
// CsvButton, SaveButton (保存), LoadButton (読込) and CloseButton.
class SeasonWindow final : public QWidget {
    Q_OBJECT

public:
    explicit SeasonWindow(Dialogs& dialogs);
    ~SeasonWindow() override;

    // Sees every page a print sends to the printer, in order (for tests).
    void SetPrintObserver(std::function<void(const RecordedDrawing&)> observer) {
        printObserver_ = std::move(observer);
    }

    // Adds the results files at the paths (for the dialog's choice and for
    // tests); a file that is no results file is reported, naming it, and
    // the others are added.  A file already listed is not added again.
    void AddFiles(const std::vector<std::filesystem::path>& paths);

    // The meetings in season order, and the settings.
    std::vector<const SeasonMeeting*> Meetings() const { return document_.InSeasonOrder(); }
    const SeasonSettings& Settings() const { return document_.Settings(); }
    // True when the list or the settings changed since saved or loaded.
    bool Unsaved() const { return document_.Unsaved(); }
    ListTable* MeetingTable() const { return meetingTable_; }
    ListTable* SeasonTable() const { return seasonTable_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    // The commands.
    void AddClick();
    void RemoveClick();
    void PrintClick();
    void CsvClick();
    void SaveClick();
    void LoadClick();

private:
    // The figures anew after a change of the settings, and the list of
    // meetings too after a change of the meetings.
    enum class Changed { Settings, Meetings };
    void Refresh(Changed changed);
    void SettingsChanged();
    void PointsEdited();
    void ShowSettings();
    RankingList List() const;
    // The list shown, to print or save.
    SeasonPrintedList ShownList() const;
    // Reads one results file into an entry; a message naming it when it is
    // none.  leftOut collects the names instead of telling them one by one.
    std::optional<SeasonEntry> Read(const std::filesystem::path& path,
                                    std::vector<QString>* leftOut = nullptr);

    Dialogs& dialogs_;
    std::function<void(const RecordedDrawing&)> printObserver_;
    SeasonDocument document_;
    std::unique_ptr<TextTableModel> meetingModel_;
    std::unique_ptr<TextTableModel> seasonModel_;
    ListTable* meetingTable_ = nullptr;
    ListTable* seasonTable_ = nullptr;
    QLineEdit* points_ = nullptr;
    QSpinBox* attendance_ = nullptr;
    QRadioButton* byPoints_ = nullptr;
    QRadioButton* byAverage_ = nullptr;
    QSpinBox* minimumRounds_ = nullptr;
    QButtonGroup* lists_ = nullptr;
};

}  // namespace tovi
