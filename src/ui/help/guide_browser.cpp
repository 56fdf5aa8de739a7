#include "ui/help/guide_browser.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <cmath>

namespace tovi {
namespace {

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

}  // namespace

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

void FitPicturesTo(QTextDocument& document, int room, qreal ratio) {
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

QVariant GuideBrowser::loadResource(int type, const QUrl& name) {
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

void GuideBrowser::FitPictures() {
    const int bar = verticalScrollBar()->isVisible() ? 0 : verticalScrollBar()->sizeHint().width();
    int room = viewport()->width() - bar - 2 * static_cast<int>(document()->documentMargin());
    for (int tries = 0; tries < 3; ++tries) {
        FitPicturesTo(*document(), room, devicePixelRatioF());
        const int overflow =
            static_cast<int>(std::ceil(document()->idealWidth() - viewport()->width() + bar));
        if (overflow <= 0) break;
        room -= overflow;
    }
}

void GuideBrowser::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    FitPictures();
}

}  // namespace tovi
