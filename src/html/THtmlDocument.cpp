#include "html/THtmlDocument.h"
#include "html/THtmlObjectHandler.h"
#include "html/THtmlPage.h"
#include "html/THtmlSettings.h"
#include <QTextBlock>
#include <QTextCursor>

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
    doc->HonourHeadingSizes();
    doc->Locate(page);
    return doc;
}

void THtmlDocument::HonourHeadingSizes()
{
    // The engine sizes a heading by a step of its own that outweighs any size a style sets
    // for it; a style's size for a heading comes in pixels (TCssDeclarations), and there
    // the step goes, as browsers let the style's size win.
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.hasProperty(QTextFormat::FontPixelSize) ||
                !format.hasProperty(QTextFormat::FontSizeAdjustment))
                continue;
            format.clearProperty(QTextFormat::FontSizeAdjustment);
            QTextCursor cursor(this);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

void THtmlDocument::Locate(const THtmlPage& page)
{
    m_anchorPositions.assign(page.anchors.size(), -1);
    m_objectPositions.assign(page.objects.size(), -1);
    // What each format marks (a named anchor, a picture or both), decided once per format:
    // copying every fragment's format is what walking a long document would spend its
    // time on.
    const QList<QTextFormat> formats = allFormats();
    std::vector<char> anchor(formats.size(), 0);
    std::vector<int> object(formats.size(), -1);
    for (qsizetype i = 0; i < formats.size(); ++i) {
        const QTextFormat& f = formats[i];
        if (!f.isCharFormat())
            continue;
        if (f.hasProperty(QTextFormat::AnchorName))
            for (const QString& name : f.toCharFormat().anchorNames())
                if (name.startsWith(QLatin1String("zan")))
                    anchor[i] = 1;
        if (f.toCharFormat().isImageFormat()) {
            const int index = THtmlObjectHandler::ObjectIndex(f);
            if (index >= 0 && index < int(m_objectPositions.size()))
                object[i] = index;
        }
    }
    int nextAnchor = 0;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int index = fragment.isValid() ? fragment.charFormatIndex() : -1;
            if (index < 0 || index >= int(formats.size()))
                continue;
            // Anchors reach the text in document order, each on the character after it.
            if (anchor[index] && nextAnchor < int(m_anchorPositions.size()))
                m_anchorPositions[nextAnchor++] = fragment.position();
            if (object[index] >= 0)
                m_objectPositions[object[index]] = fragment.position();
        }
    }
    const int end = std::max(0, characterCount() - 1);
    for (int& p : m_anchorPositions)
        if (p < 0)
            p = end;
}

QVariant THtmlDocument::loadResource(int, const QUrl&) { return QVariant(); }
