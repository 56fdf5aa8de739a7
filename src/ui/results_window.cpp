#include "ui/results_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
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
#include "results/results_file.h"
#include "ui/messages.h"
#include "ui/print_job.h"

namespace tovi {
namespace {

constexpr int kNameColumn = 0;
constexpr int kTeamColumn = 1;
constexpr int kRoundColumn = 2;
constexpr int kFirstHole = ResultsWindow::kFirstHoleColumn;
// After the holes: 計 (the round), 実打数, 一打, 二打, 合計 (the player).
constexpr int kSumColumns = 5;

const char* const kListNames[] = {"全体", "男子", "女子"};

QString ListName(RankingList list) { return QString::fromUtf8(kListNames[static_cast<int>(list)]); }

QString Number(int value) { return QString::number(value); }

// Whether any of the first rounds x holes cells of the card holds strokes,
// and of one round.
bool RoundEntered(const ScoreCard& card, int round, int holes) {
    for (int hole = 0; hole < holes; ++hole)
        if (card.Strokes(round, hole)) return true;
    return false;
}

}  // namespace

// The table of an entry page (or of 組なし): a row per player and round.
class ResultsWindow::ScoreModel final : public QAbstractTableModel {
public:
    using EnterFunction = std::function<bool(int player, int round, int hole, std::optional<int>)>;

    ScoreModel(const ScoreBook& book, std::vector<Player> players, int holes, EnterFunction enter)
        : book_(book), players_(std::move(players)), holes_(holes), enter_(std::move(enter)) {}

    const std::vector<Player>& Players() const { return players_; }
    int Holes() const { return holes_; }
    int Rounds() const { return book_.Get().settings.rounds; }
    bool Editable() const { return static_cast<bool>(enter_); }
    bool IsHoleCell(const QModelIndex& index) const {
        return index.isValid() && index.column() >= kFirstHole &&
               index.column() < kFirstHole + holes_;
    }
    QModelIndex Cell(int player, int round, int hole) const {
        return index(player * Rounds() + round, kFirstHole + hole);
    }
    // A cell of a player changed, and with it the round's sum and the
    // player's sums.  Cell by cell: a view repaints a single cell alone,
    // but the whole table for a range.
    void CellChanged(int player, int round, int hole) {
        const int rounds = Rounds();
        const int row = player * rounds + round;
        const auto changed = [this](int r, int column) {
            const QModelIndex cell = index(r, column);
            emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
        };
        changed(row, kFirstHole + hole);
        changed(row, kFirstHole + holes_);
        for (int sum = 1; sum < kSumColumns; ++sum)
            changed(player * rounds, kFirstHole + holes_ + sum);
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(players_.size()) * Rounds();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kFirstHole + holes_ + kSumColumns;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        if (section == kNameColumn) return QStringLiteral("氏名");
        if (section == kTeamColumn) return QStringLiteral("チーム");
        if (section == kRoundColumn) return QString();
        if (section < kFirstHole + holes_) return Number(section - kFirstHole + 1);
        static const QString sums[] = {QStringLiteral("計"), QStringLiteral("実打数"),
                                       QStringLiteral("一打"), QStringLiteral("二打"),
                                       QStringLiteral("合計")};
        return sums[section - kFirstHole - holes_];
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!IsHoleCell(index)) return Qt::ItemIsEnabled;
        return Editable() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                          : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const int rounds = Rounds();
        const auto player = static_cast<std::size_t>(index.row() / rounds);
        const int round = index.row() % rounds;
        const int column = index.column();
        if (role == Qt::TextAlignmentRole)
            return column <= kTeamColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                         : QVariant(Qt::AlignCenter);
        if (role == Qt::BackgroundRole && !IsHoleCell(index)) return QColor(236, 236, 236);
        if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
        if (player >= players_.size()) return {};
        const Player& p = players_[player];
        if (column == kNameColumn) return Cp932ToQt(p.name);
        if (column == kTeamColumn) return Cp932ToQt(p.team);
        if (column == kRoundColumn) return QStringLiteral("%1R").arg(round + 1);

        const auto card = book_.Get().cards.find(p.key);
        if (card == book_.Get().cards.end()) return QString();
        if (IsHoleCell(index)) {
            const auto strokes = card->second.Strokes(round, column - kFirstHole);
            return strokes ? Number(*strokes) : QString();
        }
        const CardSums sums = SumCard(card->second, book_.Get().settings, holes_);
        const int sum = column - kFirstHole - holes_;
        if (sum == 0)
            return RoundEntered(card->second, round, holes_)
                       ? Number(sums.roundSums[static_cast<std::size_t>(round)])
                       : QString();
        const int values[] = {sums.strokes, sums.holesIn[0], sums.holesIn[1], sums.total};
        return Number(values[sum - 1]);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !IsHoleCell(index) || !Editable()) return false;
        const QString text = value.toString().trimmed();
        std::optional<int> strokes;
        if (!text.isEmpty()) {
            bool ok = false;
            strokes = text.toInt(&ok);
            if (!ok) return false;
        }
        const int rounds = Rounds();
        return enter_(index.row() / rounds, index.row() % rounds, index.column() - kFirstHole,
                      strokes);
    }

private:
    const ScoreBook& book_;
    std::vector<Player> players_;
    int holes_;
    EnterFunction enter_;  // empty: shown only
};

// The ranking of one list.
class ResultsWindow::RankingModel final : public QAbstractTableModel {
public:
    RankingModel(const std::vector<Player>& players) : players_(players) {}

    const Ranking& Get() const { return ranking_; }
    void Set(Ranking ranking) {
        if (ranking.rows.size() == ranking_.rows.size() && ranking.rounds == ranking_.rounds) {
            ranking_ = std::move(ranking);
            if (!ranking_.rows.empty())
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
            return;
        }
        beginResetModel();
        ranking_ = std::move(ranking);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(ranking_.rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 4 + ranking_.rounds + 4;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static const QString first[] = {QStringLiteral("順位"), QStringLiteral("氏名"),
                                        QStringLiteral("チーム"), QStringLiteral("組")};
        static const QString last[] = {QStringLiteral("実打数"), QStringLiteral("一打"),
                                       QStringLiteral("二打"), QStringLiteral("合計")};
        if (section < 4) return first[section];
        if (section < 4 + ranking_.rounds) return QStringLiteral("%1R").arg(section - 3);
        return last[section - 4 - ranking_.rounds];
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const int column = index.column();
        if (role == Qt::TextAlignmentRole)
            return column == 1 || column == 2 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                              : QVariant(Qt::AlignCenter);
        if (role != Qt::DisplayRole) return {};
        const RankedRow& row = ranking_.rows.at(static_cast<std::size_t>(index.row()));
        const Player& player = players_.at(row.player);
        switch (column) {
            case 0:
                return row.rank ? Number(*row.rank) : QString();
            case 1:
                return Cp932ToQt(player.name);
            case 2:
                return Cp932ToQt(player.team);
            case 3:
                return Number(player.group);
            default:
                break;
        }
        if (column < 4 + ranking_.rounds)
            return Number(row.sums.roundSums.at(static_cast<std::size_t>(column - 4)));
        const int values[] = {row.sums.strokes, row.sums.holesIn[0], row.sums.holesIn[1],
                              row.sums.total};
        return Number(values[column - 4 - ranking_.rounds]);
    }

private:
    const std::vector<Player>& players_;
    Ranking ranking_;
};

namespace {

// The editor of a cell opened for a number: 1..99, the old value selected.
class StrokesDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setValidator(new QIntValidator(kMinStrokes, kMaxStrokes, editor));
        editor->setMaxLength(2);
        editor->setAlignment(Qt::AlignCenter);
        // Digits, not a composition of the input method.
        editor->setAttribute(Qt::WA_InputMethodEnabled, false);
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        QStyledItemDelegate::setEditorData(editor, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    }
};

}  // namespace

// The view of an entry page: the keys of entry, and moves among the hole cells only.
class ResultsWindow::ScoreTable final : public QTableView {
public:
    explicit ScoreTable(QWidget* parent) : QTableView(parent) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setSelectionBehavior(QAbstractItemView::SelectItems);
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        setTabKeyNavigation(false);
        setItemDelegate(new StrokesDelegate(this));
        // Digits arrive as keys with a Japanese input method switched on.
        setAttribute(Qt::WA_InputMethodEnabled, false);
        verticalHeader()->hide();
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        horizontalHeader()->setHighlightSections(false);
    }

    std::function<void(int)> onDigit;
    std::function<void()> onEmpty;
    std::function<void()> onCommitted;

    ScoreModel* Model() const { return static_cast<ScoreModel*>(model()); }

    // Lays the columns out and joins the name, team and the player's sums
    // over the player's rounds.
    void Arrange() {
        const ScoreModel* m = Model();
        const int holes = m->Holes();
        const int rounds = m->Rounds();
        clearSpans();
        setColumnWidth(kNameColumn, 118);
        setColumnWidth(kTeamColumn, 104);
        setColumnWidth(kRoundColumn, 30);
        for (int hole = 0; hole < holes; ++hole) setColumnWidth(kFirstHole + hole, 34);
        for (int sum = 0; sum < kSumColumns; ++sum)
            setColumnWidth(kFirstHole + holes + sum, sum == 1 ? 50 : 42);
        for (int row = 0; row < m->rowCount(); ++row) setRowHeight(row, 26);
        if (rounds < 2) return;
        for (int player = 0; player < static_cast<int>(m->Players().size()); ++player) {
            const int row = player * rounds;
            setSpan(row, kNameColumn, rounds, 1);
            setSpan(row, kTeamColumn, rounds, 1);
            for (int sum = 1; sum < kSumColumns; ++sum)
                setSpan(row, kFirstHole + holes + sum, rounds, 1);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (state() == QAbstractItemView::EditingState ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QTableView::keyPressEvent(event);
            return;
        }
        const QString text = event->text();
        const bool onHole = Model() && Model()->IsHoleCell(currentIndex());
        if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
            // 0 is no score: taken, and nothing entered.
            if (onHole && text[0] != QLatin1Char('0') && onDigit) onDigit(text[0].digitValue());
            event->accept();
            return;
        }
        switch (event->key()) {
            case Qt::Key_Backspace:
            case Qt::Key_Delete:
                if (onHole && onEmpty) onEmpty();
                event->accept();
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_F2:
                if (onHole && Model()->Editable()) edit(currentIndex());
                event->accept();
                return;
            case Qt::Key_Left:
                Move(0, -1);
                event->accept();
                return;
            case Qt::Key_Right:
                Move(0, 1);
                event->accept();
                return;
            case Qt::Key_Up:
                Move(-1, 0);
                event->accept();
                return;
            case Qt::Key_Down:
                Move(1, 0);
                event->accept();
                return;
            default:
                QTableView::keyPressEvent(event);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        // A press beside the hole cells leaves the cell where it is.
        if (Model() && Model()->IsHoleCell(indexAt(event->position().toPoint())))
            QTableView::mousePressEvent(event);
        else
            event->accept();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (Model() && Model()->IsHoleCell(indexAt(event->position().toPoint())))
            QTableView::mouseDoubleClickEvent(event);
        else
            event->accept();
    }

    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        // Enter (or Tab) in the editor enters the number and moves on; Esc
        // and a click elsewhere do not move.
        const bool moveOn = hint == QAbstractItemDelegate::SubmitModelCache ||
                            hint == QAbstractItemDelegate::EditNextItem;
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (moveOn && onCommitted) onCommitted();
    }

private:
    // One hole cell along: left and right run on into the row before and
    // after, up and down stay in the hole's column.
    void Move(int rows, int holes) {
        const ScoreModel* m = Model();
        if (!m || m->rowCount() == 0) return;
        QModelIndex at = currentIndex();
        if (!m->IsHoleCell(at)) at = m->index(std::max(0, at.row()), kFirstHole);
        int row = at.row() + rows;
        int hole = at.column() - kFirstHole + holes;
        if (hole < 0 && row > 0) {
            --row;
            hole = m->Holes() - 1;
        } else if (hole >= m->Holes() && row + 1 < m->rowCount()) {
            ++row;
            hole = 0;
        }
        row = std::clamp(row, 0, m->rowCount() - 1);
        hole = std::clamp(hole, 0, m->Holes() - 1);
        setCurrentIndex(m->index(row, kFirstHole + hole));
    }
};

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
    const auto addLabel = [this, bar](const char* text, QWidget* buddy) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(buddy);
        bar->addWidget(label);
        bar->addWidget(buddy);
    };
    RoundsBox = new QSpinBox(this);
    RoundsBox->setRange(kMinRounds, kMaxRounds);
    addLabel("ラウンド数(&R)", RoundsBox);
    bar->addSpacing(16);
    DeductionBox = new QSpinBox(this);
    DeductionBox->setRange(0, kMaxHoleInOneDeduction);
    addLabel("ホールインワン減打(&D)", DeductionBox);
    bar->addStretch();
    const auto button = [this, bar](const char* text, void (ResultsWindow::*handler)()) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        bar->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return b;
    };
    PrintButton = button("印刷(&P)", &ResultsWindow::PrintClick);
    CsvButton = button("CSV保存(&C)", &ResultsWindow::CsvClick);
    SaveButton = button("成績保存(&S)", &ResultsWindow::SaveClick);
    LoadButton = button("成績読込(&L)", &ResultsWindow::LoadClick);
    ClearButton = button("成績を消去", &ResultsWindow::ClearClick);
    CloseButton = new QPushButton(QStringLiteral("閉じる"), this);
    bar->addWidget(CloseButton);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    Tabs = new QTabWidget(this);
    layout->addWidget(Tabs, 1);

    rankingPage_ = new QWidget(this);
    auto* rankingLayout = new QVBoxLayout(rankingPage_);
    auto* lists = new QHBoxLayout();
    rankingLayout->addLayout(lists);
    auto* listGroup = new QButtonGroup(rankingPage_);
    for (int i = 0; i < 3; ++i) {
        ListButtons[static_cast<std::size_t>(i)] =
            new QRadioButton(QString::fromUtf8(kListNames[i]), rankingPage_);
        listGroup->addButton(ListButtons[static_cast<std::size_t>(i)], i);
        lists->addWidget(ListButtons[static_cast<std::size_t>(i)]);
    }
    lists->addStretch();
    ListButtons[0]->setChecked(true);
    connect(listGroup, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseList(static_cast<RankingList>(id)); });
    rankingTable_ = new QTableView(rankingPage_);
    rankingTable_->verticalHeader()->hide();
    rankingTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rankingTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rankingModel_ = std::make_unique<RankingModel>(meeting_.players);
    rankingTable_->setModel(rankingModel_.get());
    rankingLayout->addWidget(rankingTable_, 1);

    RoundsBox->setValue(book_.Get().settings.rounds);
    DeductionBox->setValue(book_.Get().settings.holeInOneDeduction);
    connect(RoundsBox, &QSpinBox::valueChanged, this, [this] { SettingsChanged(); });
    connect(DeductionBox, &QSpinBox::valueChanged, this, [this] { SettingsChanged(); });
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

std::vector<ResultsWindow::Page*> ResultsWindow::AllPages() const {
    std::vector<Page*> all;
    for (const auto& page : pages_) all.push_back(page.get());
    if (apart_) all.push_back(apart_.get());
    return all;
}

int ResultsWindow::Rounds() const { return book_.Get().settings.rounds; }

std::vector<int> ResultsWindow::PageSizes() const {
    std::vector<int> sizes;
    for (const auto& page : pages_)
        sizes.push_back(static_cast<int>(page->model->Players().size()));
    return sizes;
}

void ResultsWindow::BuildPages() {
    const int shown = Tabs->currentIndex();
    Tabs->clear();
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
        page->view = std::make_unique<ScoreTable>(Tabs);
        ScoreTable* view = page->view.get();
        view->setModel(page->model.get());
        view->Arrange();
        if (editable) {
            view->onDigit = [this, index](int digit) { TypeDigit(index, digit); };
            view->onEmpty = [this, index] { EmptyCell(index); };
            view->onCommitted = [this, index] {
                if (const auto at = Cursor(); at && at->group == index) Advance(*at);
            };
        }
        return page;
    };

    for (int group = 1; group <= MaxGroups; ++group) {
        std::vector<Player> players;
        for (const Player& player : meeting_.players)
            if (player.group == group) players.push_back(player);
        if (players.empty()) continue;
        pages_.push_back(makePage(group, std::move(players), true));
        Tabs->addTab(pages_.back()->view.get(), QStringLiteral("%1組").arg(group));
    }
    std::vector<Player> apart =
        PlayersInNoGroup(meeting_.players, meeting_.rosterLines, book_.Get());
    if (!apart.empty()) {
        apart_ = makePage(0, std::move(apart), false);
        Tabs->addTab(apart_->view.get(), QStringLiteral("組なし"));
    }
    Tabs->addTab(rankingPage_, QStringLiteral("順位"));
    RefreshRanking();
    rankingTable_->resizeColumnsToContents();

    if (!pages_.empty()) {
        GoTo({0, 0, 0, 0});
    } else if (shown >= 0) {
        Tabs->setCurrentIndex(std::min(shown, Tabs->count() - 1));
    }
}

void ResultsWindow::SettingsChanged() {
    if (!book_.SetSettings({RoundsBox->value(), DeductionBox->value()})) return;
    const std::optional<EntryPosition> at = Cursor();
    for (Page* page : AllPages()) {
        page->model->Reset();
        page->view->Arrange();
    }
    RefreshRanking();
    if (at) GoTo({at->group, at->player, std::min(at->round, Rounds() - 1), at->hole});
    if (changed_) changed_();
}

void ResultsWindow::ChooseList(RankingList list) {
    list_ = list;
    RefreshRanking();
}

Ranking ResultsWindow::CurrentRanking() const {
    return RankPlayers(meeting_.players, book_.Get(), meeting_.holes, list_);
}

void ResultsWindow::RefreshRanking() { rankingModel_->Set(CurrentRanking()); }

std::optional<EntryPosition> ResultsWindow::Cursor() const {
    for (int i = 0; i < EntryPages(); ++i) {
        const Page& page = *pages_[static_cast<std::size_t>(i)];
        if (Tabs->currentWidget() != page.view.get()) continue;
        const QModelIndex at = page.view->currentIndex();
        if (!page.model->IsHoleCell(at)) return std::nullopt;
        const int rounds = Rounds();
        return EntryPosition{i, at.row() / rounds, at.row() % rounds, at.column() - kFirstHole};
    }
    return std::nullopt;
}

bool ResultsWindow::Enter(const EntryPosition& at, std::optional<int> strokes) {
    if (at.group < 0 || at.group >= EntryPages()) return false;
    Page& page = *pages_[static_cast<std::size_t>(at.group)];
    const auto& players = page.model->Players();
    if (at.player < 0 || at.player >= static_cast<int>(players.size())) return false;
    if (at.hole < 0 || at.hole >= meeting_.holes || at.round < 0 || at.round >= Rounds())
        return false;
    if (!book_.Enter(players[static_cast<std::size_t>(at.player)].key, at.round, at.hole, strokes))
        return false;
    page.model->CellChanged(at.player, at.round, at.hole);
    RefreshRanking();
    if (changed_) changed_();
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
    const EntryPosition next = NextEntryPosition(PageSizes(), Rounds(), meeting_.holes, from);
    if (next != from) GoTo(next);
}

void ResultsWindow::GoTo(const EntryPosition& at) {
    if (at.group < 0 || at.group >= EntryPages()) return;
    Page& page = *pages_[static_cast<std::size_t>(at.group)];
    Tabs->setCurrentWidget(page.view.get());
    page.view->setCurrentIndex(page.model->Cell(at.player, at.round, at.hole));
    page.view->setFocus();
}

void ResultsWindow::PrintClick() {
    const Ranking ranking = CurrentRanking();
    RankingSheetHeader header = meeting_.header;
    header.listName = Utf8ToCp932(kListNames[static_cast<int>(list_)]);
    const auto drawPages = [&](QPrinter& printer) {
        const double scale = RankingSheetScale(printer.width(), printer.height());
        std::vector<RecordedDrawing> pages(static_cast<std::size_t>(RankingSheetPages(ranking)));
        for (std::size_t i = 0; i < pages.size(); ++i)
            DrawRankingSheet(pages[i], scale, header, meeting_.players, ranking,
                             static_cast<int>(i));
        return pages;
    };
    if (PrintPages(dialogs_, QStringLiteral("成績表_") + ListName(list_), QPageLayout::Portrait,
                   drawPages, printObserver_) == PrintOutcome::CannotStart)
        ShowMessage(QStringLiteral("印刷を開始できません"));
}

namespace {

// Writes bytes to the file chosen; a message on failure.  True when written.
bool WriteChosenFile(Dialogs& dialogs, const QString& chosen, std::string_view bytes) {
    const std::optional<std::filesystem::path> path = TryQtToPath(chosen);
    if (!path) {
        dialogs.Message(QStringLiteral("ファイル名に扱えない文字が含まれています"));
        return false;
    }
    if (!ReplaceFileContents(*path, bytes)) {
        dialogs.Message(QStringLiteral("ファイルに保存出来ません"));
        return false;
    }
    return true;
}

// The names, one a line, after a first line.
QString NameList(const QString& first, const std::vector<std::string>& names) {
    QString text = first;
    for (const std::string& name : names) text += QLatin1Char('\n') + Cp932ToQt(name);
    return text;
}

}  // namespace

void ResultsWindow::CsvClick() {
    const Ranking ranking = CurrentRanking();
    const auto chosen = dialogs_.SaveCsvFileName(QStringLiteral("成績表_") + ListName(list_));
    if (!chosen) return;
    WriteChosenFile(dialogs_, *chosen, FormatRankingCsv(meeting_.players, ranking));
}

void ResultsWindow::SaveClick() {
    const auto chosen = dialogs_.SaveCsvFileName(QStringLiteral("成績"));
    if (!chosen) return;
    const ResultsFileBytes file = FormatResultsFile(book_.Get());
    if (!WriteChosenFile(dialogs_, *chosen, file.bytes)) return;
    if (!file.leftOut.empty()) {
        ShowMessage(NameList(QStringLiteral("次の人の成績は名前を書けないため保存されていません"),
                             file.leftOut));
        return;
    }
    book_.MarkSaved();
}

void ResultsWindow::LoadClick() {
    if (book_.Unsaved() &&
        !dialogs_.YesNo(QStringLiteral("成績読込"),
                        QStringLiteral("保存されていない成績があります。読み込むと失われます。"
                                       "読み込みますか？"),
                        DefaultAnswer::No))
        return;
    const auto chosen = dialogs_.OpenCsvFileName();
    if (!chosen) return;
    const std::optional<std::filesystem::path> path = TryQtToPath(*chosen);
    std::string bytes;
    if (!path || !ReadRegularFile(*path, kMaxResultsFileBytes, bytes)) {
        ShowMessage(path ? QStringLiteral("ファイルを読み込めません")
                         : QStringLiteral("ファイル名に扱えない文字が含まれています"));
        return;
    }
    const ResultsParse parse = ParseResultsFile(bytes);
    if (parse.status != ResultsFileStatus::Ok) {
        ShowMessage(ResultsFileMessage(parse.status, parse.badLine));
        return;
    }
    RosterMatch match = MatchToRoster(parse.results, meeting_.rosterLines);
    book_.Loaded(std::move(match.results));
    {
        const QSignalBlocker rounds(RoundsBox), deduction(DeductionBox);
        RoundsBox->setValue(book_.Get().settings.rounds);
        DeductionBox->setValue(book_.Get().settings.holeInOneDeduction);
    }
    BuildPages();
    if (changed_) changed_();
    if (!match.unmatched.empty())
        ShowMessage(NameList(QStringLiteral("名簿にない次の人の成績は読み込んでいません"),
                             match.unmatched));
}

void ResultsWindow::ClearClick() {
    if (!dialogs_.YesNo(QStringLiteral("成績を消去"),
                        QStringLiteral("入力した成績をすべて消去しますか？"), DefaultAnswer::No))
        return;
    book_.Clear();
    BuildPages();
    if (changed_) changed_();
}

}  // namespace tovi
