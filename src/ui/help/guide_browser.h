// The page of the help window: the guide's HTML as Qt's text browser shows
// it, mended where Qt reads it otherwise than a browser would (wide spaces,
// the line height under pictures, pictures wider than the page), with the
// guide's style sheet less its faces, so that the program's font rules.
#pragma once

#include <QString>
#include <QTextBrowser>

class QTextDocument;

namespace tovi {

// Each ideographic space (U+3000) of html outside the tags in a run where
// white space stays as written: Qt's reading of HTML would show it as a
// half-width space.
QString KeepWideSpaces(const QString& html);

// Shrinks every picture of document wider than room to that width (keeping
// its proportions), and gives a shrunk one more room when there is.  A width
// the page sets itself stays.  With ratio (the screen's device pixel ratio)
// a shrunk picture is shown from a copy scaled smoothly to its pixels on the
// screen; without (0), the picture itself is drawn smaller (a printer scales
// it well).
void FitPicturesTo(QTextDocument& document, int room, qreal ratio = 0);

// The page: pictures no wider than the page, at every size of the window.
class GuideBrowser final : public QTextBrowser {
    Q_OBJECT

public:
    explicit GuideBrowser(QWidget* parent) : QTextBrowser(parent) {}

    QVariant loadResource(int type, const QUrl& name) override;

    // The pictures fitted to the page's width: first to the page less its
    // margins (and a scroll bar yet to come), then by what the page's own
    // margins still make it overflow.
    void FitPictures();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace tovi
