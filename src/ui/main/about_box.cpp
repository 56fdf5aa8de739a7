#include "ui/main/about_box.h"

#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <utility>

#include "platform/fonts.h"
#include "platform/help.h"
#include "tovi/version.h"
#include "ui/help/help_window.h"
#include "ui/main/link_label.h"

namespace tovi {
namespace {

// Sets the label's font, colour and place; its size follows its text when
// the dialog is first shown (SizeLabels), so that the start-up does not load
// fonts only the dialog uses.
QLabel* Place(const char* name, QLabel* label, int x, int y, int pixels, bool bold = false,
              QColor colour = Qt::black) {
    label->setObjectName(QLatin1String(name));
    QFont font = FontForPixels(kPGothicFace, pixels);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(x, y);
    return label;
}

}  // namespace

QPixmap ProgramIconPixmap(int width, int height) {
    QPixmap pixmap(64, 52);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(96, 168, 72));  // the grass
        p.drawRoundedRect(QRectF(2, 30, 60, 20), 8, 8);
        p.setBrush(QColor(70, 70, 70));  // the hole post and its ring
        p.drawRect(QRectF(44, 8, 4, 34));
        p.setPen(QPen(QColor(70, 70, 70), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(36, 36, 20, 8));
        p.setPen(QPen(QColor(200, 40, 40), 1));
        p.setBrush(QColor(230, 60, 50));  // the ball
        p.drawEllipse(QRectF(12, 22, 18, 18));
    }
    return pixmap.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

AboutBox::AboutBox(QWidget* parent, Dialogs& dialogs,
                   std::function<void(const QString& page)> showInGuide)
    : QDialog(parent), dialogs_(dialogs), showInGuide_(std::move(showInGuide)) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(376, 212);
    setFont(FontForPixels(kPGothicFace, 12));

    auto* panel = new QFrame(this);
    panel->setGeometry(8, 8, 361, 177);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setLineWidth(2);
    QFont bold = font();
    bold.setBold(true);
    panel->setFont(bold);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(24, 16, 41, 33);
    icon->setPixmap(ProgramIconPixmap(41, 33));
    icon->setScaledContents(true);

    QLabel* comments =
        Place("Comments", new QLabel(QStringLiteral("グラウンドゴルフの組み合わせ"), panel), 96, 24,
              15, true);
    comments->setWordWrap(true);
    comments->setFixedSize(225, 17);  // its own size, not its text's
    productName_ = Place("ProductName", new QLabel(QStringLiteral("トヴィ　"), panel), 24, 72, 13);
    version_ = Place("Version", new QLabel(QStringLiteral("Tovi  Version " TOVI_VERSION), panel),
                     224, 72, 12);
    credit_ =
        Place("Credit", new QLabel(QStringLiteral("制作　トヴィ開発チーム"), panel), 24, 104, 12);
    linkIntro_ = Place(
        "Label1", new QLabel(QStringLiteral("作者宛のメール・ホームページは"), panel), 24, 136, 12);
    link_ = Place("Label2",
                  new LinkLabel(QStringLiteral("こちらから"), panel, [this] { OpenAboutPage(); }),
                  216, 136, 12, false, QColor(0, 128, 0));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setGeometry(151, 188, 75, 21);
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showEvent(QShowEvent* event) {
    if (!labelsSized_) {
        labelsSized_ = true;
        for (QLabel* label : {productName_, version_, credit_, linkIntro_, link_})
            label->adjustSize();
    }
    QDialog::showEvent(event);
}

int AboutBox::ShowModal() {
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    okButton_->setFocus();
    return exec();
}

QString AboutPageAddress(const QString& programFolder) {
    const QString page = QStringLiteral("about.html");
    return QUrl::fromLocalFile(QDir(GuideFolder(programFolder, page)).filePath(page)).toString();
}

void AboutBox::OpenAboutPage() {
    if (GuideInHelpWindow() && showInGuide_) {
        // The guide's window cannot be used under this modal dialog.
        accept();
        showInGuide_(QStringLiteral("about.html"));
        return;
    }
    dialogs_.ShellOpen(AboutPageAddress(QCoreApplication::applicationDirPath()));
}

}  // namespace tovi
