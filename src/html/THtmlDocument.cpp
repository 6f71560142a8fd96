#include "html/THtmlDocument.h"
#include "html/THtmlObjectHandler.h"
#include "html/THtmlPage.h"
#include "html/THtmlSettings.h"
#include <QTextBlock>

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
    doc->Locate(page);
    return doc;
}

void THtmlDocument::Locate(const THtmlPage& page)
{
    m_anchorPositions.assign(page.anchors.size(), -1);
    m_objectPositions.assign(page.objects.size(), -1);
    int nextAnchor = 0;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat cf = fragment.charFormat();
            if (cf.hasProperty(QTextFormat::AnchorName)) {
                // Anchors reach the text in document order, each on the character after it.
                for (const QString& name : cf.anchorNames())
                    if (name.startsWith(QLatin1String("zan")) &&
                        nextAnchor < int(m_anchorPositions.size()))
                        m_anchorPositions[nextAnchor++] = fragment.position();
            }
            if (cf.isImageFormat()) {
                const int index = THtmlObjectHandler::ObjectIndex(cf);
                if (index >= 0 && index < int(m_objectPositions.size()))
                    m_objectPositions[index] = fragment.position();
            }
        }
    }
    const int end = std::max(0, characterCount() - 1);
    for (int& p : m_anchorPositions)
        if (p < 0)
            p = end;
}

QVariant THtmlDocument::loadResource(int, const QUrl&) { return QVariant(); }
