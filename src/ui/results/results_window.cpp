#include "ui/results/results_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "core/cp932.h"
#include "core/file_io.h"
#include "platform/file_name.h"
#include "platform/fonts.h"
#include "platform/qt_text.h"
#include "results/card_check.h"
#include "results/prizes.h"
#include "results/results_file.h"
#include "sheets/printed_list.h"
#include "sheets/prize_sheet.h"
#include "ui/common/file_commands.h"
#include "ui/common/list_commands.h"
#include "ui/common/list_table.h"
#include "ui/common/messages.h"
#include "ui/common/print_job.h"
#include "ui/common/window_bar.h"
#include "ui/results/card_check_page.h"
#include "ui/results/prize_pages.h"
#include "ui/results/ranking_page.h"
#include "ui/results/score_model.h"
#include "ui/results/score_table.h"

namespace tovi {

struct ResultsWindow::Page {
    int group = 0;  // 1..6; 0 for 組なし
    std::unique_ptr<ScoreModel> model;
    std::unique_ptr<ScoreTable> view;  // after the model: gone first
};

ResultsWindow::ResultsWindow(Dialogs& dialogs, ScoreBook& book, std::function<void()> changed)
    : QWidget(nullptr), dialogs_(dialogs), book_(book), changed_(std::move(changed)) {
    setWindowTitle(QStringLiteral("成績入力 - ") + kAppTitle);
    setFont(FontForPixels(kPGothicFace, 15));
    resize(1000, 640);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout();
    layout->addLayout(bar);
    roundsBox_ = new QSpinBox(this);
    roundsBox_->setObjectName(QStringLiteral("RoundsBox"));
    roundsBox_->setRange(kMinRounds, kMaxRounds);
    AddLabelled(this, bar, QStringLiteral("ラウンド数(&R)"), roundsBox_, 0);
    bar->addSpacing(16);
    deductionBox_ = new QSpinBox(this);
    deductionBox_->setObjectName(QStringLiteral("DeductionBox"));
    deductionBox_->setRange(0, kMaxHoleInOneDeduction);
    AddLabelled(this, bar, QStringLiteral("ホールインワン減打(&D)"), deductionBox_, 0);
    bar->addSpacing(16);
    checkCardsBox_ = new QCheckBox(QStringLiteral("カード計で検算(&V)"), this);
    checkCardsBox_->setObjectName(QStringLiteral("CardCheckBox"));
    bar->addWidget(checkCardsBox_);
    bar->addStretch();
    const auto button = [this, bar](const QString& text, const char* name,
                                    void (ResultsWindow::*handler)()) {
        connect(AddBarButton(this, bar, text, name), &QPushButton::clicked, this, handler);
    };
    button(QStringLiteral("印刷(&P)"), "PrintButton", &ResultsWindow::PrintClick);
    button(QStringLiteral("CSV保存(&C)"), "CsvButton", &ResultsWindow::CsvClick);
    button(QStringLiteral("成績保存(&S)"), "SaveButton", &ResultsWindow::SaveClick);
    button(QStringLiteral("成績読込(&L)"), "LoadButton", &ResultsWindow::LoadClick);
    button(QStringLiteral("成績を消去"), "ClearButton", &ResultsWindow::ClearClick);
    AddCloseButton(this, bar);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Tabs"));
    layout->addWidget(tabs_, 1);

    rankingPage_ = new RankingPage(players_, this);
    connect(rankingPage_, &RankingPage::listChosen, this, [this] { RefreshRanking(); });
    connect(rankingPage_, &RankingPage::moveRequested, this, &ResultsWindow::MoveInTie);
    rankingPage_->OlderFirstBox()->setChecked(book_.Get().olderFirst);
    connect(rankingPage_, &RankingPage::olderFirstChosen, this, &ResultsWindow::OlderFirstChanged);
    teamPage_ = new TeamPage(this);
    awardPage_ = new AwardPage(this);
    awardPage_->ShowSettings(book_.Get().prizes);
    connect(awardPage_, &AwardPage::settingsChanged, this, &ResultsWindow::PrizesChanged);
    checkPage_ = new CardCheckPage(this);
    checkPage_->hide();
    checkCardsBox_->setChecked(book_.Get().checkCardTotals);
    connect(checkCardsBox_, &QCheckBox::toggled, this, &ResultsWindow::CheckCardsChanged);

    roundsBox_->setValue(book_.Get().settings.rounds);
    deductionBox_->setValue(book_.Get().settings.holeInOneDeduction);
    connect(roundsBox_, &QSpinBox::valueChanged, this, [this] { SettingsChanged(); });
    connect(deductionBox_, &QSpinBox::valueChanged, this, [this] { SettingsChanged(); });
    BuildPages();
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::ShowMeeting(ResultsMeeting meeting) {
    if (meetingShown_ && meeting == meeting_) return;
    meetingShown_ = true;
    meeting_ = std::move(meeting);
    BuildPages();
}

bool ResultsWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && source_)
        if (std::optional<ResultsMeeting> meeting = source_()) ShowMeeting(std::move(*meeting));
    return QWidget::event(event);
}

QTableView* ResultsWindow::EntryTable(int page) const {
    return page >= 0 && page < EntryPages() ? pages_[static_cast<std::size_t>(page)]->view.get()
                                            : nullptr;
}

QTableView* ResultsWindow::ApartTable() const { return apart_ ? apart_->view.get() : nullptr; }

MeetingHeading ResultsWindow::Heading() const {
    const RankingSheetHeader& h = meeting_.header;
    return {h.title, h.meetingName, h.course,       h.year,
            h.month, h.day,         meeting_.holes, meeting_.startHoles};
}

QTableView* ResultsWindow::RankingTable() const { return rankingPage_->Table(); }

RankingList ResultsWindow::ChosenList() const { return rankingPage_->List(); }

std::vector<ResultsWindow::Page*> ResultsWindow::AllPages() const {
    std::vector<Page*> all;
    for (const auto& page : pages_) all.push_back(page.get());
    if (apart_) all.push_back(apart_.get());
    return all;
}

int ResultsWindow::Rounds() const { return book_.Get().settings.rounds; }

EntryPath ResultsWindow::Path() const {
    std::vector<int> sizes;
    for (const auto& page : pages_)
        sizes.push_back(static_cast<int>(page->model->Players().size()));
    // With カード計で検算 each round ends on its カード計, one cell past its holes.
    return EntryPath(std::move(sizes), Rounds(),
                     meeting_.holes + (book_.Get().checkCardTotals ? 1 : 0));
}

void ResultsWindow::BuildPages() {
    const int shown = tabs_->currentIndex();
    tabs_->clear();
    pages_.clear();
    apart_.reset();

    const auto makePage = [this](int group, std::vector<Player> players, bool editable) {
        auto page = std::make_unique<Page>();
        page->group = group;
        const int index = static_cast<int>(pages_.size());
        ScoreModel::EnterFunction enter;
        if (editable)
            enter = [this, index](int player, int round, int hole, std::optional<int> strokes) {
                return Enter({index, player, round, hole}, strokes);
            };
        page->model =
            std::make_unique<ScoreModel>(book_, std::move(players), meeting_.holes, enter);
        // Headed as the group's score sheet numbers its holes.
        std::vector<int> numbers;
        for (int hole = 0; hole < meeting_.holes; ++hole)
            numbers.push_back(PrintedHoleNumber(meeting_.startHoles, group, hole, meeting_.holes));
        page->model->SetHoleNumbers(std::move(numbers));
        page->view = std::make_unique<ScoreTable>(tabs_);
        ScoreTable* view = page->view.get();
        view->setModel(page->model.get());
        view->Arrange();
        if (editable) {
            connect(view, &ScoreTable::digitTyped, this,
                    [this, index](int digit) { TypeDigit(index, digit); });
            connect(view, &ScoreTable::cellEmptied, this, [this, index] { EmptyCell(index); });
            connect(view, &ScoreTable::numberCommitted, this, [this, index] {
                if (const auto at = Cursor(); at && at->group == index) Advance(*at);
            });
        }
        return page;
    };

    seating_ = SeatPlayers(meeting_.players, meeting_.rosterLines, book_.Get());
    players_ = seating_.grouped;
    players_.insert(players_.end(), seating_.apart.begin(), seating_.apart.end());
    const bool reseated = seating_.seats != book_.Get().seats;
    if (reseated) book_.SetSeats(seating_.seats);
    // The lists are made of players_: anew before a page can show them.
    RefreshRanking();

    for (int group = 1; group <= MaxGroups; ++group) {
        std::vector<Player> players;
        for (const Player& player : seating_.grouped)
            if (player.group == group) players.push_back(player);
        if (players.empty()) continue;
        pages_.push_back(makePage(group, std::move(players), true));
        tabs_->addTab(pages_.back()->view.get(), QStringLiteral("%1組").arg(group));
    }
    if (!seating_.apart.empty()) {
        apart_ = makePage(0, seating_.apart, false);
        tabs_->addTab(apart_->view.get(), QStringLiteral("組なし"));
    }
    tabs_->addTab(rankingPage_, QStringLiteral("順位"));
    tabs_->addTab(teamPage_, QStringLiteral("団体"));
    tabs_->addTab(awardPage_, QStringLiteral("表彰"));
    if (book_.Get().checkCardTotals)
        tabs_->addTab(checkPage_, QStringLiteral("検算"));
    else
        checkPage_->hide();  // out of the tabs, it must not show over them

    if (!pages_.empty()) {
        GoTo(FirstEmptyCell());
    } else if (shown >= 0) {
        tabs_->setCurrentIndex(std::min(shown, tabs_->count() - 1));
    }
    // The seats go into the recovery file and the results file.
    if (reseated && changed_) changed_();
}

EntryPosition ResultsWindow::FirstEmptyCell() const {
    // Along the entry path from the first cell, so that a digit typed after
    // restoring or loading scores never overwrites one.
    const auto& cards = book_.Get().cards;
    return Path().FirstOpen([&](const EntryPosition& at) {
        const Page& page = *pages_[static_cast<std::size_t>(at.group)];
        const auto card = cards.find(page.model->Players().at(at.player).key);
        if (card == cards.end()) return false;
        return at.hole == meeting_.holes ? card->second.CardTotal(at.round).has_value()
                                         : card->second.Strokes(at.round, at.hole).has_value();
    });
}

void ResultsWindow::SettingsChanged() {
    if (!book_.SetSettings({roundsBox_->value(), deductionBox_->value()})) return;
    const std::optional<EntryPosition> at = Cursor();
    for (Page* page : AllPages()) {
        page->model->Reset();
        page->view->Arrange();
    }
    if (at) GoTo({at->group, at->player, std::min(at->round, Rounds() - 1), at->hole});
    ScoresChanged();
}

void ResultsWindow::PrizesChanged(const PrizeSettings& prizes) {
    if (book_.SetPrizes(prizes)) ScoresChanged();
}

void ResultsWindow::CheckCardsChanged() {
    book_.SetCheckCardTotals(checkCardsBox_->isChecked());
    const std::optional<EntryPosition> at = Cursor();
    BuildPages();
    if (at) GoTo({at->group, at->player, at->round, std::min(at->hole, meeting_.holes - 1)});
    ScoresChanged();
}

void ResultsWindow::OlderFirstChanged(bool older) {
    book_.SetOlderFirst(older);
    ScoresChanged();
}

void ResultsWindow::ScoresChanged() {
    RefreshRanking();
    if (changed_) changed_();
}

void ResultsWindow::MoveInTie(std::size_t row, int step) {
    std::vector<std::vector<MemberKey>> decisions = book_.Get().decisions;
    if (!MoveWithinTie(players_, rankingPage_->Shown(), row, step, decisions)) return;
    book_.SetDecisions(std::move(decisions));
    ScoresChanged();
    rankingPage_->SelectRow(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(row) + step));
}

Ranking ResultsWindow::CurrentRanking() const {
    return RankPlayers(players_, book_.Get(), meeting_.holes, ChosenList());
}

void ResultsWindow::RefreshRanking() {
    const Results& results = book_.Get();
    const Ranking overall = RankPlayers(players_, results, meeting_.holes, RankingList::All);
    rankingPage_->Show(ChosenList() == RankingList::All ? overall : CurrentRanking());
    teamPage_->Show(players_, RankTeams(players_, overall, results.prizes.teamSize));
    if (results.checkCardTotals) {
        const std::vector<CardCheckRow> checks = CheckCards(players_, results, meeting_.holes);
        rankingPage_->ShowCardMismatches(checks.size());
        checkPage_->Show(players_, checks);
    } else {
        rankingPage_->ShowCardMismatches(std::nullopt);
    }
    awardPage_->Show(players_, AwardPrizes(players_, results, meeting_.holes, meeting_.startHoles));
}

std::optional<EntryPosition> ResultsWindow::Cursor() const {
    for (int i = 0; i < EntryPages(); ++i) {
        const Page& page = *pages_[static_cast<std::size_t>(i)];
        if (tabs_->currentWidget() != page.view.get()) continue;
        const QModelIndex at = page.view->currentIndex();
        if (!page.model->IsEntryCell(at)) return std::nullopt;
        const int rounds = Rounds();
        return EntryPosition{i, at.row() / rounds, at.row() % rounds, page.model->EntryHole(at)};
    }
    return std::nullopt;
}

bool ResultsWindow::Enter(const EntryPosition& at, std::optional<int> strokes) {
    if (!Path().Contains(at)) return false;
    Page& page = *pages_[static_cast<std::size_t>(at.group)];
    const MemberKey& key = page.model->Players()[static_cast<std::size_t>(at.player)].key;
    const bool entered = at.hole == meeting_.holes ? book_.EnterCardTotal(key, at.round, strokes)
                                                   : book_.Enter(key, at.round, at.hole, strokes);
    if (!entered) return false;
    page.model->CellChanged(at.player, at.round, at.hole);
    ScoresChanged();
    return true;
}

void ResultsWindow::TypeDigit(int page, int digit) {
    const std::optional<EntryPosition> at = Cursor();
    if (!at || at->group != page || !Enter(*at, digit)) return;
    Advance(*at);
}

void ResultsWindow::EmptyCell(int page) {
    const std::optional<EntryPosition> at = Cursor();
    if (at && at->group == page) Enter(*at, std::nullopt);
}

void ResultsWindow::Advance(const EntryPosition& from) {
    const EntryPosition next = Path().Next(from);
    if (next != from) GoTo(next);
}

void ResultsWindow::GoTo(const EntryPosition& at) {
    if (at.group < 0 || at.group >= EntryPages()) return;
    Page& page = *pages_[static_cast<std::size_t>(at.group)];
    tabs_->setCurrentWidget(page.view.get());
    page.view->setCurrentIndex(page.model->Cell(at.player, at.round, at.hole));
    page.view->setFocus();
}

void ResultsWindow::WithShownList(const std::function<void(const PrintedList&)>& use) const {
    const Results& results = book_.Get();
    if (tabs_->currentWidget() == teamPage_) {
        const Ranking overall = RankPlayers(players_, results, meeting_.holes, RankingList::All);
        use(TeamPrintedList(meeting_.header, players_,
                            RankTeams(players_, overall, results.prizes.teamSize)));
    } else if (tabs_->currentWidget() == checkPage_) {
        use(CardCheckPrintedList(meeting_.header, players_,
                                 CheckCards(players_, results, meeting_.holes)));
    } else if (tabs_->currentWidget() == awardPage_) {
        use(AwardPrintedList(meeting_.header, players_,
                             AwardPrizes(players_, results, meeting_.holes, meeting_.startHoles)));
    } else {
        const Ranking ranking = CurrentRanking();
        use(RankingPrintedList(meeting_.header, ChosenList(), players_, ranking));
    }
}

void ResultsWindow::PrintClick() {
    WithShownList([this](const PrintedList& list) { PrintList(dialogs_, list, printObserver_); });
}

void ResultsWindow::CsvClick() {
    WithShownList([this](const PrintedList& list) { SaveListCsv(dialogs_, list); });
}

void ResultsWindow::SaveClick() {
    const auto chosen = dialogs_.SaveCsvFileName(QStringLiteral("成績"));
    if (!chosen) return;
    const ResultsFileBytes file = FormatResultsFile(book_.Get(), Heading());
    if (!WriteChosenFile(dialogs_, *chosen, file.bytes)) return;
    if (!file.leftOut.empty()) {
        ShowMessage(NameList(NoticeText(Notice::ScoresNotSavedFor), file.leftOut));
        return;
    }
    book_.MarkSaved();
}

void ResultsWindow::LoadClick() {
    if (book_.Unsaved() &&
        !dialogs_.YesNo(QuestionCaption(Question::LoadOverUnsaved),
                        QuestionText(Question::LoadOverUnsaved), DefaultAnswer::No))
        return;
    const auto chosen = dialogs_.OpenCsvFileName();
    if (!chosen) return;
    const std::optional<std::filesystem::path> path = TryQtToPath(*chosen);
    std::string bytes;
    if (!path || !ReadRegularFile(*path, kMaxResultsFileBytes, bytes)) {
        ShowMessage(NoticeText(path ? Notice::CannotRead : Notice::BadFileName));
        return;
    }
    const ResultsParse parse = ParseResultsFile(bytes);
    if (parse.status != ResultsFileStatus::Ok) {
        ShowMessage(ResultsFileMessage(parse.status, parse.badLine));
        return;
    }
    RosterMatch match = MatchToRoster(parse.results, meeting_.rosterLines);
    book_.Loaded(std::move(match.results));
    // The meeting's heading and hole count come back with its scores, so that
    // they are ranked over the holes played and saved again as they were.
    if (parse.heading && headingSink_) {
        headingSink_(*parse.heading);
        if (source_)
            if (std::optional<ResultsMeeting> meeting = source_()) meeting_ = std::move(*meeting);
    }
    {
        QCheckBox* olderFirstBox = rankingPage_->OlderFirstBox();
        const QSignalBlocker rounds(roundsBox_), deduction(deductionBox_), check(checkCardsBox_),
            older(olderFirstBox);
        roundsBox_->setValue(book_.Get().settings.rounds);
        deductionBox_->setValue(book_.Get().settings.holeInOneDeduction);
        checkCardsBox_->setChecked(book_.Get().checkCardTotals);
        olderFirstBox->setChecked(book_.Get().olderFirst);
    }
    awardPage_->ShowSettings(book_.Get().prizes);
    BuildPages();
    if (changed_) changed_();
    if (!match.unmatched.empty())
        ShowMessage(NameList(NoticeText(Notice::ScoresNotLoadedFor), match.unmatched));
}

void ResultsWindow::ClearClick() {
    if (!dialogs_.YesNo(QuestionCaption(Question::ClearScores), QuestionText(Question::ClearScores),
                        DefaultAnswer::No))
        return;
    book_.Clear();
    BuildPages();
    if (changed_) changed_();
}

}  // namespace tovi
