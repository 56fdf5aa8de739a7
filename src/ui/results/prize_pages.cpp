#include "ui/results/prize_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

#include "platform/qt_text.h"
#include "ui/common/list_table.h"
#include "ui/common/text_table_model.h"
#include "ui/common/window_bar.h"

namespace tovi {
namespace {

QString NumberOr(const std::optional<int>& value) {
    return value ? QString::number(*value) : QString();
}

QString GroupText(int group) { return group > 0 ? QString::number(group) : QString(); }

// 飛び賞: 0 (none) or 2..20; 1 is passed over by the arrows and cannot be
// typed.
class TobiSpinBox final : public QSpinBox {
    Q_OBJECT

public:
    explicit TobiSpinBox(QWidget* parent) : QSpinBox(parent) {
        setRange(0, kMaxTobiEvery);
        setSpecialValueText(QStringLiteral("なし"));
        setSuffix(QStringLiteral("位ごと"));
    }
    void stepBy(int steps) override {
        QSpinBox::stepBy(steps);
        if (value() == 1) setValue(steps > 0 ? kMinTobiEvery : 0);
    }

protected:
    QValidator::State validate(QString& text, int& pos) const override {
        const QValidator::State state = QSpinBox::validate(text, pos);
        if (state == QValidator::Acceptable && valueFromText(text) == 1)
            return QValidator::Intermediate;
        return state;
    }
};

QSpinBox* SpinBox(QWidget* parent, const char* name, int low, int high, const char* suffix) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setSuffix(QString::fromUtf8(suffix));
    return box;
}

}  // namespace

TeamPage::TeamPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    model_ = std::make_unique<TextTableModel>(
        QStringList{QStringLiteral("順位"), QStringLiteral("チーム"), QStringLiteral("合計"),
                    QStringLiteral("人数"), QStringLiteral("選手")},
        std::vector<int>{0, 2, 3});
    table_ = new ListTable(this);
    table_->setObjectName(QStringLiteral("TeamTable"));
    table_->setModel(model_.get());
    layout->addWidget(table_);
}

TeamPage::~TeamPage() = default;

void TeamPage::Show(const std::vector<Player>& players, const std::vector<TeamRow>& teams) {
    std::vector<QStringList> rows;
    rows.reserve(teams.size());
    for (const TeamRow& team : teams) {
        QStringList names;
        for (const std::size_t player : team.counted) names << Cp932ToQt(players.at(player).name);
        rows.push_back({NumberOr(team.rank), Cp932ToQt(team.team), NumberOr(team.total),
                        QString::number(team.counted.size()), names.join(QStringLiteral("・"))});
    }
    model_->Set(std::move(rows));
}

AwardPage::AwardPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout();
    layout->addLayout(bar);
    const auto labelled = [this, bar](const QString& text, QWidget* buddy) {
        AddLabelled(this, bar, text, buddy, 12);
    };
    places_ = SpinBox(this, "PlacesBox", 0, kMaxPlaces, "位まで");
    places_->setSpecialValueText(QStringLiteral("なし"));
    labelled(QStringLiteral("入賞(&A)"), places_);
    bySex_ = new QRadioButton(QStringLiteral("男女別"), this);
    bySex_->setObjectName(QStringLiteral("DivisionButton0"));
    overall_ = new QRadioButton(QStringLiteral("全体"), this);
    overall_->setObjectName(QStringLiteral("DivisionButton1"));
    auto* division = new QButtonGroup(this);
    division->addButton(bySex_, 0);
    division->addButton(overall_, 1);
    bar->addWidget(bySex_);
    bar->addWidget(overall_);
    bar->addSpacing(12);
    tobi_ = new TobiSpinBox(this);
    tobi_->setObjectName(QStringLiteral("TobiBox"));
    labelled(QStringLiteral("飛び賞(&T)"), tobi_);
    booby_ = new QCheckBox(QStringLiteral("ブービー賞"), this);
    booby_->setObjectName(QStringLiteral("BoobyBox"));
    boobyMaker_ = new QCheckBox(QStringLiteral("ブービーメーカー賞"), this);
    boobyMaker_->setObjectName(QStringLiteral("BoobyMakerBox"));
    bar->addWidget(booby_);
    bar->addWidget(boobyMaker_);
    bar->addSpacing(12);
    teamSize_ = SpinBox(this, "TeamSizeBox", kMinTeamSize, kMaxTeamSize, "人");
    labelled(QStringLiteral("団体人数(&K)"), teamSize_);
    bar->addStretch();
    ShowSettings({});

    for (QSpinBox* box : {places_, tobi_, teamSize_})
        connect(box, &QSpinBox::valueChanged, this, [this] { Changed(); });
    connect(division, &QButtonGroup::idClicked, this, [this] { Changed(); });
    for (QCheckBox* box : {booby_, boobyMaker_})
        connect(box, &QCheckBox::toggled, this, [this] { Changed(); });

    awardModel_ = std::make_unique<TextTableModel>(
        QStringList{QStringLiteral("賞"), QStringLiteral("順位"), QStringLiteral("氏名"),
                    QStringLiteral("チーム"), QStringLiteral("組"), QStringLiteral("合計"),
                    QStringLiteral("備考")},
        std::vector<int>{1, 4, 5});
    awards_ = new ListTable(this);
    awards_->setObjectName(QStringLiteral("AwardTable"));
    awards_->setModel(awardModel_.get());
    layout->addWidget(awards_, 3);
    layout->addWidget(new QLabel(QStringLiteral("ホールインワン"), this));
    holeInOneModel_ = std::make_unique<TextTableModel>(
        QStringList{QStringLiteral("氏名"), QStringLiteral("ラウンド"), QStringLiteral("ホール")},
        std::vector<int>{1, 2});
    holesInOne_ = new ListTable(this);
    holesInOne_->setObjectName(QStringLiteral("HoleInOneTable"));
    holesInOne_->setModel(holeInOneModel_.get());
    layout->addWidget(holesInOne_, 1);
}

AwardPage::~AwardPage() = default;

void AwardPage::ShowSettings(const PrizeSettings& settings) {
    const QSignalBlocker a(places_), b(bySex_), c(overall_), d(tobi_), e(booby_), f(boobyMaker_),
        g(teamSize_);
    places_->setValue(settings.places);
    (settings.division == PrizeDivision::Overall ? overall_ : bySex_)->setChecked(true);
    tobi_->setValue(settings.tobiEvery);
    booby_->setChecked(settings.booby);
    boobyMaker_->setChecked(settings.boobyMaker);
    teamSize_->setValue(settings.teamSize);
}

PrizeSettings AwardPage::Settings() const {
    PrizeSettings settings;
    settings.places = places_->value();
    settings.division = overall_->isChecked() ? PrizeDivision::Overall : PrizeDivision::BySex;
    settings.tobiEvery = tobi_->value();
    settings.booby = booby_->isChecked();
    settings.boobyMaker = boobyMaker_->isChecked();
    settings.teamSize = teamSize_->value();
    return settings;
}

void AwardPage::Changed() { emit settingsChanged(Settings()); }

void AwardPage::Show(const std::vector<Player>& players, const Prizes& prizes) {
    std::vector<QStringList> awards;
    awards.reserve(prizes.awards.size());
    for (const AwardRow& award : prizes.awards) {
        const Player& player = players.at(award.player);
        awards.push_back({Cp932ToQt(award.award), NumberOr(award.rank), Cp932ToQt(player.name),
                          Cp932ToQt(player.team), GroupText(player.group), NumberOr(award.total),
                          Cp932ToQt(award.note)});
    }
    awardModel_->Set(std::move(awards));
    std::vector<QStringList> holes;
    holes.reserve(prizes.holesInOne.size());
    for (const HoleInOne& hole : prizes.holesInOne)
        holes.push_back({Cp932ToQt(players.at(hole.player).name),
                         QStringLiteral("%1R").arg(hole.round + 1),
                         QString::number(hole.printedHole)});
    holeInOneModel_->Set(std::move(holes));
}

}  // namespace tovi

#include "prize_pages.moc"
