#include "ui/help_window.h"

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
#include "ui/messages.h"

namespace tovi {
namespace {

// The sitemap files of HTML Help spell a few characters as entities.
QString Unescape(QString text) {
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

QString PageOf(const QUrl& address) { return address.fileName(); }

// The mark of a word found.
QTextCharFormat FoundFormat() {
    QTextCharFormat format;
    format.setBackground(QColor(255, 226, 64));
    format.setForeground(Qt::black);
    return format;
}

// Qt's reading of HTML takes the ideographic space (U+3000) for white space
// and shows it as a half-width space, which would close up 「開　始」: each
// one outside the tags goes into a run where white space stays as written.
QString KeepWideSpaces(const QString& html) {
    QString kept;
    kept.reserve(html.size());
    bool inTag = false;
    for (const QChar c : html) {
        if (c == QLatin1Char('<')) inTag = true;
        if (c == QChar(0x3000) && !inTag)
            kept += QStringLiteral("<span style=\"white-space: pre-wrap\">\u3000</span>");
        else
            kept += c;
        if (c == QLatin1Char('>')) inTag = false;
    }
    return kept;
}

// The property of a shrunk picture's format that names the picture itself.
constexpr int kPictureSource = QTextFormat::UserProperty + 1;

// A block that holds a picture keeps the line spacing of its text: the
// guide's line height (a share of each line's height) would otherwise add
// that share of the picture's height as a gap under it.  The share becomes
// the same distance in the text's font.
void KeepPictureLinesTight(QTextDocument& document) {
    const qreal fontHeight = QFontMetricsF(document.defaultFont()).height();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.lineHeightType() != QTextBlockFormat::ProportionalHeight ||
            format.lineHeight() <= 100)
            continue;
        bool picture = false;
        for (auto it = block.begin(); !it.atEnd() && !picture; ++it)
            picture = it.fragment().charFormat().isImageFormat();
        if (!picture) continue;
        format.setLineHeight(fontHeight * (format.lineHeight() - 100) / 100,
                             QTextBlockFormat::LineDistanceHeight);
        QTextCursor(block).setBlockFormat(format);
    }
}

// Shrinks every picture of document wider than room to that width (keeping
// its proportions), and gives a shrunk one more room when there is.  A width
// the page sets itself stays.  With ratio (the screen's device pixel ratio)
// a shrunk picture is shown from a copy scaled smoothly to its pixels on the
// screen, so that the words in a screenshot stay readable; without, the
// picture itself is drawn smaller (a printer scales it well).
void FitPicturesTo(QTextDocument& document, int room, qreal ratio = 0) {
    KeepPictureLinesTight(document);
    room = std::max(room, 64);
    struct Change {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Change> changes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const bool shrunk = format.hasProperty(kPictureSource);
            if (format.hasProperty(QTextFormat::ImageWidth) && !shrunk) continue;
            const QString source = shrunk ? format.stringProperty(kPictureSource) : format.name();
            const QImage picture =
                document.resource(QTextDocument::ImageResource, QUrl(source)).value<QImage>();
            if (picture.isNull()) continue;
            const int width = std::min(picture.width(), room);
            if (width == picture.width()) {
                if (!shrunk) continue;
                // Room enough again: the picture itself.
                format.setName(source);
                format.clearProperty(kPictureSource);
                format.clearProperty(QTextFormat::ImageWidth);
                format.clearProperty(QTextFormat::ImageHeight);
            } else {
                if (shrunk && format.width() == width) continue;
                format.setProperty(kPictureSource, source);
                format.setWidth(width);
                format.setHeight(static_cast<double>(picture.height()) * width / picture.width());
                if (ratio > 0) {
                    const QUrl copy(QStringLiteral("fitted:%1/%2").arg(width).arg(source));
                    if (document.resource(QTextDocument::ImageResource, copy).isNull()) {
                        QImage scaled =
                            picture.scaledToWidth(qRound(width * ratio), Qt::SmoothTransformation);
                        scaled.setDevicePixelRatio(ratio);
                        document.addResource(QTextDocument::ImageResource, copy, scaled);
                    }
                    format.setName(copy.toString());
                }
            }
            changes.push_back({fragment.position(), fragment.length(), format});
        }
    }
    for (const Change& change : changes) {
        QTextCursor cursor(&document);
        cursor.setPosition(change.position);
        cursor.setPosition(change.position + change.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(change.format);
    }
}

}  // namespace

// The page: the guide's style sheet without its faces, so that the program's
// font rules; pictures no wider than the page.
class GuideBrowser final : public QTextBrowser {
public:
    explicit GuideBrowser(QWidget* parent) : QTextBrowser(parent) {}

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        // The guide's pages are UTF-8.
        if (type == QTextDocument::HtmlResource && resource.typeId() == QMetaType::QByteArray)
            return KeepWideSpaces(QString::fromUtf8(resource.toByteArray()));
        if (type == QTextDocument::StyleSheetResource && resource.isValid()) {
            static const QRegularExpression face(QStringLiteral("font-family\\s*:[^;}]*;?"));
            QString sheet = resource.typeId() == QMetaType::QByteArray
                                ? QString::fromUtf8(resource.toByteArray())
                                : resource.toString();
            resource = sheet.remove(face);
        }
        return resource;
    }

    // The pictures fitted to the page's width: first to the page less its
    // margins (and a scroll bar yet to come), then by what the page's own
    // margins still make it overflow.
    void FitPictures() {
        const int bar =
            verticalScrollBar()->isVisible() ? 0 : verticalScrollBar()->sizeHint().width();
        int room = viewport()->width() - bar - 2 * static_cast<int>(document()->documentMargin());
        for (int tries = 0; tries < 3; ++tries) {
            FitPicturesTo(*document(), room, devicePixelRatioF());
            const int overflow =
                static_cast<int>(std::ceil(document()->idealWidth() - viewport()->width() + bar));
            if (overflow <= 0) break;
            room -= overflow;
        }
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTextBrowser::resizeEvent(event);
        FitPictures();
    }
};

QString GuideFolder(const QString& programFolder, const QString& page) {
    const QDir folder(programFolder);
    const QString installed =
        QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/tovi/help")));
    const QString built = QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("help")));
    const auto holds = [&](const QString& dir) {
        return QFileInfo::exists(QDir(dir).filePath(page));
    };
    return !holds(installed) && holds(built) ? built : installed;
}

std::vector<GuideEntry> ReadGuideContents(const QString& text) {
    static const QRegularExpression part(
        QStringLiteral("<(/?)(ul)\\b[^>]*>|<object\\s[^>]*text/sitemap[^>]*>(.*?)</object>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(
        QStringLiteral("<param\\s+name\\s*=\\s*\"(\\w+)\"\\s+value\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<GuideEntry> entries;
    int lists = 0;
    for (auto it = part.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedLength(2) > 0) {  // a list opens or closes
            lists += match.captured(1).isEmpty() ? 1 : -1;
            continue;
        }
        GuideEntry entry;
        entry.depth = std::max(lists - 1, 0);
        for (auto p = param.globalMatch(match.captured(3)); p.hasNext();) {
            const QRegularExpressionMatch value = p.next();
            if (value.captured(1).compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                entry.title = Unescape(value.captured(2));
            else if (value.captured(1).compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0)
                entry.page = Unescape(value.captured(2));
        }
        // The site's own properties (the window's styles) name no page.
        if (!entry.title.isEmpty() && !entry.page.isEmpty()) entries.push_back(entry);
    }
    return entries;
}

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
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        bar->addWidget(b);
        return b;
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
