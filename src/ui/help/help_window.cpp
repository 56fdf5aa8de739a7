#include "ui/help/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/fonts.h"
#include "platform/print_file.h"
#include "ui/common/messages.h"
#include "ui/common/window_bar.h"
#include "ui/help/guide_browser.h"

namespace tovi {
namespace {

QString PageOf(const QUrl& address) { return address.fileName(); }

// The mark of a word found.
QTextCharFormat FoundFormat() {
    QTextCharFormat format;
    format.setBackground(QColor(255, 226, 64));
    format.setForeground(Qt::black);
    return format;
}

}  // namespace

HelpWindow::HelpWindow(Dialogs& dialogs, const QString& folder)
    : QWidget(nullptr), dialogs_(dialogs), folder_(folder) {
    setWindowTitle(kAppTitle + QStringLiteral(" ヘルプ"));
    setFont(FontForPixels(kPGothicFace, 15));
    QSize size(1040, 740);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout();
    layout->addLayout(bar);
    const auto button = [this, bar](const QString& text, const char* name) {
        return AddBarButton(this, bar, text, name);
    };
    back_ = button(QStringLiteral("← 戻る(&B)"), "BackButton");
    forward_ = button(QStringLiteral("進む(&F) →"), "ForwardButton");
    QPushButton* printButton = button(QStringLiteral("印刷(&P)"), "PrintButton");
    bar->addStretch();
    QPushButton* closeButton = button(QStringLiteral("閉じる"), "CloseButton");

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter, 1);
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName(QStringLiteral("Tabs"));

    contentsTree_ = new QTreeWidget(tabs_);
    contentsTree_->setObjectName(QStringLiteral("Contents"));
    contentsTree_->setHeaderHidden(true);
    contentsTree_->setRootIsDecorated(false);
    tabs_->addTab(contentsTree_, QStringLiteral("目次(&C)"));

    auto* search = new QWidget(tabs_);
    auto* searchLayout = new QVBoxLayout(search);
    auto* searchBar = new QHBoxLayout();
    searchLayout->addLayout(searchBar);
    searchEdit_ = new QLineEdit(search);
    searchEdit_->setObjectName(QStringLiteral("SearchEdit"));
    searchEdit_->setPlaceholderText(QStringLiteral("さがす言葉"));
    searchBar->addWidget(searchEdit_, 1);
    auto* findButton = new QPushButton(QStringLiteral("検索"), search);
    findButton->setObjectName(QStringLiteral("SearchButton"));
    searchBar->addWidget(findButton);
    searchStatus_ = new QLabel(search);
    searchStatus_->setObjectName(QStringLiteral("SearchStatus"));
    searchStatus_->setWordWrap(true);
    searchLayout->addWidget(searchStatus_);
    results_ = new QListWidget(search);
    results_->setObjectName(QStringLiteral("SearchResults"));
    searchLayout->addWidget(results_, 1);
    tabs_->addTab(search, QStringLiteral("検索(&S)"));

    page_ = new GuideBrowser(splitter);
    page_->setObjectName(QStringLiteral("Page"));
    page_->setOpenLinks(false);
    page_->setSearchPaths({folder_});
    splitter->addWidget(tabs_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    const int side =
        fontMetrics().horizontalAdvance(QStringLiteral("組み合わせ（まかせて／自分で）")) +
        4 * fontMetrics().height();
    splitter->setSizes({side, std::max(size.width() - side, side)});

    // The contents, nested as the file nests them.
    QFile toc(QDir(folder_).filePath(QStringLiteral("toc.hhc")));
    if (toc.open(QIODevice::ReadOnly))
        contents_ = ReadGuideContents(QString::fromUtf8(toc.readAll()));
    std::vector<QTreeWidgetItem*> parents;
    for (const GuideEntry& entry : contents_) {
        parents.resize(
            std::min<std::size_t>(parents.size(), static_cast<std::size_t>(entry.depth)));
        auto* item = parents.empty() ? new QTreeWidgetItem(contentsTree_)
                                     : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.title);
        item->setData(0, Qt::UserRole, entry.page);
        contentsItems_.push_back(item);
        parents.push_back(item);
    }
    contentsTree_->expandAll();

    const auto open = [this](QTreeWidgetItem* item) {
        if (!item) return;
        const QString page = item->data(0, Qt::UserRole).toString();
        if (page != CurrentPage()) ShowPage(page);
    };
    connect(contentsTree_, &QTreeWidget::currentItemChanged, this, open);
    connect(contentsTree_, &QTreeWidget::itemClicked, this, open);
    connect(findButton, &QPushButton::clicked, this, [this] { Find(searchEdit_->text()); });
    connect(searchEdit_, &QLineEdit::returnPressed, this, [this] { Find(searchEdit_->text()); });
    connect(results_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { OpenResult(results_->row(item)); });
    connect(results_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OpenResult(results_->row(item)); });
    connect(page_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& url) { FollowLink(url); });
    connect(page_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& address) { PageShown(PageOf(address)); });
    connect(page_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(back_, &QPushButton::clicked, page_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, page_, &QTextBrowser::forward);
    connect(printButton, &QPushButton::clicked, this, [this] { Print(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Back, [this] { page_->backward(); });
    shortcut(QKeySequence::Forward, [this] { page_->forward(); });
    shortcut(QKeySequence::Find, [this] {
        tabs_->setCurrentIndex(1);
        searchEdit_->setFocus();
        searchEdit_->selectAll();
    });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { close(); });
    back_->setEnabled(false);
    forward_->setEnabled(false);

    ShowPage(kGuideStartPage);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::ShowPage(const QString& page) {
    page_->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(page)));
}

QString HelpWindow::CurrentPage() const { return PageOf(page_->source()); }

QString HelpWindow::PageTitle(const QString& page) const {
    for (const GuideEntry& entry : contents_)
        if (PageOf(QUrl(entry.page)) == page) return entry.title;
    return page;
}

void HelpWindow::FollowLink(const QUrl& address) {
    const QUrl target = page_->source().resolved(address);
    if (target.isLocalFile())
        page_->setSource(target);
    else
        dialogs_.ShellOpen(target.toString());
}

void HelpWindow::PageShown(const QString& page) {
    page_->setExtraSelections({});
    page_->FitPictures();
    for (std::size_t i = 0; i < contents_.size(); ++i) {
        if (PageOf(QUrl(contents_[i].page)) != page) continue;
        const QSignalBlocker blocker(contentsTree_);
        contentsTree_->setCurrentItem(contentsItems_[i]);
        break;
    }
}

const std::vector<QString>& HelpWindow::PageTexts() {
    if (pageTexts_.empty()) {
        for (const GuideEntry& entry : contents_) {
            QFile file(QDir(folder_).filePath(PageOf(QUrl(entry.page))));
            QTextDocument document;
            if (file.open(QIODevice::ReadOnly))
                document.setHtml(KeepWideSpaces(QString::fromUtf8(file.readAll())));
            pageTexts_.push_back(document.toPlainText());
        }
    }
    return pageTexts_;
}

void HelpWindow::Find(const QString& word) {
    tabs_->setCurrentIndex(1);
    searchEdit_->setText(word);
    results_->clear();
    foundPages_.clear();
    foundWord_ = word.trimmed();
    if (foundWord_.isEmpty()) {
        searchStatus_->setText(QStringLiteral("さがす言葉を入れて「検索」を押してください。"));
        return;
    }
    const std::vector<QString>& texts = PageTexts();
    for (std::size_t i = 0; i < contents_.size(); ++i) {
        const QString page = PageOf(QUrl(contents_[i].page));
        if (!texts[i].contains(foundWord_, Qt::CaseInsensitive)) continue;
        if (std::find(foundPages_.begin(), foundPages_.end(), page) != foundPages_.end()) continue;
        foundPages_.push_back(page);
        results_->addItem(contents_[i].title);
    }
    searchStatus_->setText(
        foundPages_.empty()
            ? QStringLiteral("「%1」は見つかりませんでした。").arg(foundWord_)
            : QStringLiteral("「%1」のあるページ: %2").arg(foundWord_).arg(foundPages_.size()));
}

void HelpWindow::OpenResult(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= foundPages_.size()) return;
    const QSignalBlocker blocker(results_);
    results_->setCurrentRow(row);
    ShowPage(foundPages_[static_cast<std::size_t>(row)]);
    MarkWord(foundWord_);
}

void HelpWindow::MarkWord(const QString& word) {
    QList<QTextEdit::ExtraSelection> marks;
    QTextDocument* document = page_->document();
    for (QTextCursor at = document->find(word); !at.isNull(); at = document->find(word, at))
        marks.push_back({at, FoundFormat()});
    page_->setExtraSelections(marks);
    if (marks.isEmpty()) return;
    // The first place a third down the page.
    QTextCursor first = marks.front().cursor;
    first.clearSelection();
    page_->setTextCursor(first);
    QScrollBar* bar = page_->verticalScrollBar();
    bar->setValue(bar->value() + page_->cursorRect(first).top() - page_->viewport()->height() / 3);
}

void HelpWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QString name = QStringLiteral("ヘルプ_") + PageTitle(CurrentPage());
    static const QRegularExpression unfit(QStringLiteral("[\\\\/:*?\"<>|]"));
    OfferPrintFile(printer, name.replace(unfit, QStringLiteral("_")));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::A4));
    switch (dialogs_.PrintSetup(printer)) {
        case PrintChoice::Confirmed:
            break;
        case PrintChoice::Cancelled:
            return;
        case PrintChoice::NoPrinter:
            dialogs_.Message(NoticeText(Notice::NoPrinter));
            return;
    }
    // The page laid out on the paper as on a screen of 96 dots an inch, so
    // that the program's font comes out at its size there (15 pixels, about
    // 11 points), with the pictures fitted to the paper's width.
    const QSizeF paper(printer.width() * 96.0 / printer.logicalDpiX(),
                       printer.height() * 96.0 / printer.logicalDpiY());
    const std::unique_ptr<QTextDocument> copy(page_->document()->clone(page_));
    copy->setPageSize(paper);
    FitPicturesTo(*copy, static_cast<int>(paper.width() - 2 * copy->documentMargin()) -
                             2 * fontMetrics().height());
    copy->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        dialogs_.Message(NoticeText(Notice::CannotPrint));
}

}  // namespace tovi
