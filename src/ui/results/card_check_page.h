// The results window's 検算 page, shown with カード計で検算: every round whose
// カード計 does not agree with its holes, in the pages' order (group,
// player, round), with 組, 氏名, ラウンド, 入力計 and カード計.
#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "results/card_check.h"

namespace tovi {

class ListTable;
class TextTableModel;

// Its table has the object name CardCheckTable.
class CardCheckPage final : public QWidget {
    Q_OBJECT

public:
    explicit CardCheckPage(QWidget* parent);
    ~CardCheckPage() override;

    ListTable* Table() const { return table_; }
    void Show(const std::vector<Player>& players, const std::vector<CardCheckRow>& rows);

private:
    std::unique_ptr<TextTableModel> model_;
    ListTable* table_ = nullptr;
};

}  // namespace tovi
