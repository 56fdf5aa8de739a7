// The results window's prize-giving pages: 団体 (the teams ranked by their
// best players) and 表彰 (the settings of the prize-giving, every award and
// the holes in one).
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "results/prizes.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace tovi {

class ListTable;
class TextTableModel;

// Its list has the object name TeamTable.
class TeamPage final : public QWidget {
    Q_OBJECT

public:
    explicit TeamPage(QWidget* parent);
    ~TeamPage() override;

    void Show(const std::vector<Player>& players, const std::vector<TeamRow>& teams);
    ListTable* Table() const { return table_; }

private:
    std::unique_ptr<TextTableModel> model_;
    ListTable* table_ = nullptr;
};

// Its widgets have the object names PlacesBox (入賞), DivisionButton0 and
// DivisionButton1 (男女別, 全体), TobiBox (飛び賞), BoobyBox, BoobyMakerBox,
// TeamSizeBox (団体人数), AwardTable and HoleInOneTable.
class AwardPage final : public QWidget {
    Q_OBJECT

public:
    explicit AwardPage(QWidget* parent);
    ~AwardPage() override;

    // Shows the settings without reporting them.
    void ShowSettings(const PrizeSettings& settings);
    void Show(const std::vector<Player>& players, const Prizes& prizes);
    ListTable* Table() const { return awards_; }
    ListTable* HoleInOneTable() const { return holesInOne_; }

signals:
    // A setting changed by the organiser.
    void settingsChanged(const PrizeSettings& settings);

private:
    PrizeSettings Settings() const;
    void Changed();

    QSpinBox* places_ = nullptr;
    QRadioButton* bySex_ = nullptr;
    QRadioButton* overall_ = nullptr;
    QSpinBox* tobi_ = nullptr;
    QCheckBox* booby_ = nullptr;
    QCheckBox* boobyMaker_ = nullptr;
    QSpinBox* teamSize_ = nullptr;
    std::unique_ptr<TextTableModel> awardModel_;
    std::unique_ptr<TextTableModel> holeInOneModel_;
    ListTable* awards_ = nullptr;
    ListTable* holesInOne_ = nullptr;
};

}  // namespace tovi
