#include "html/THtmlDocument.h"
#include "html/THtmlPage.h"
#include "html/THtmlSettings.h"

THtmlDocument::THtmlDocument(QObject* parent) : QTextDocument(parent) { setUndoRedoEnabled(false); }

QFont THtmlDocument::DefaultFont(const THtmlSettings& settings)
{
    QFont font(settings.defFontName);
    font.setPointSize(std::max(1, settings.defFontSize));
    return font;
}

THtmlDocument* THtmlDocument::Build(const THtmlPage& page, const THtmlSettings& settings)
{
    auto* doc = new THtmlDocument;
    doc->setDefaultFont(DefaultFont(settings));
    // The engine applies the part of the page's style sheets it knows (selectors by
    // element, class and id; colours, fonts, margins, alignment) as it reads the markup.
    doc->setDefaultStyleSheet(page.styleSheet);
    doc->setHtml(page.html);
    return doc;
}

QVariant THtmlDocument::loadResource(int, const QUrl&) { return QVariant(); }
