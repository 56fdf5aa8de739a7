// The help window: the guide's pages in a window of the program's own, all in
// Japanese.  On the left the contents (目次, from the guide's toc.hhc, in its
// order) and the search (検索: the pages that hold a word, each opened with
// the word marked); on the right the page, whose links lead to the other
// pages.  Along the top 戻る and 進む (through the pages shown), 印刷 (the
// page shown, on A4 through the print dialog) and 閉じる.  The window takes
// the program's font and size: the guide's style sheet sets no face, and
// pictures wider than the page shrink to its width.
//
// Its widgets are found by object name: Tabs (目次 and 検索), Contents,
// SearchEdit, SearchButton, SearchResults, SearchStatus, Page, BackButton,
// ForwardButton, PrintButton and CloseButton.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "platform/dialogs.h"
#include "ui/help/guide_contents.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace tovi {

class GuideBrowser;

class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    // The guide whose pages lie in folder; it opens on kGuideStartPage.
    HelpWindow(Dialogs& dialogs, const QString& folder);
    ~HelpWindow() override;

    // Shows page, a file of the guide's folder (with an #anchor or not).
    void ShowPage(const QString& page);
    // The file name of the page shown, e.g. "roster.html".
    QString CurrentPage() const;

    // 検索: lists the pages whose text holds word (upper and lower case
    // alike), in the order of the contents.
    void Find(const QString& word);
    // Opens the page of the search's result row and marks the word there.
    void OpenResult(int row);

    // 印刷: the page shown, on A4 portrait through the print dialog.
    void Print();

    const std::vector<GuideEntry>& Contents() const { return contents_; }

private:
    // Follows a link of a page: the guide's pages in the window, any other
    // address through the desktop.
    void FollowLink(const QUrl& address);
    // After each page (before the history has it): the contents mark the
    // page, marks of an earlier search go.
    void PageShown(const QString& page);
    // Marks every place of word in the page shown and shows the first.
    void MarkWord(const QString& word);
    // The text of each page of the contents, read at the first search.
    const std::vector<QString>& PageTexts();
    QString PageTitle(const QString& page) const;

    Dialogs& dialogs_;
    QString folder_;
    std::vector<GuideEntry> contents_;
    std::vector<QString> pageTexts_;  // by contents_, read at the first search
    QString foundWord_;
    std::vector<QString> foundPages_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contentsTree_ = nullptr;
    std::vector<QTreeWidgetItem*> contentsItems_;  // by contents_
    QLineEdit* searchEdit_ = nullptr;
    QListWidget* results_ = nullptr;
    QLabel* searchStatus_ = nullptr;
    GuideBrowser* page_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
};

}  // namespace tovi
