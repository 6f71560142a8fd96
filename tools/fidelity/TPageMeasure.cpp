#include "TPageMeasure.h"
#include "html/TFramePane.h"
#include "html/THtmlFrame.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QAbstractTextDocumentLayout>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <cmath>

namespace {

constexpr QLatin1StringView kLinkScheme("zlk:");

int LinkIndex(const QString& href)
{
    if (!href.startsWith(kLinkScheme))
        return -1;
    bool ok = false;
    const int index = QStringView(href).mid(kLinkScheme.size()).toInt(&ok);
    return ok ? index : -1;
}

// The frames of a frame set, and of the frame sets their documents are, depth first.
void CollectFrames(TFramePane& set, QList<THtmlFrame*>& frames)
{
    for (THtmlFrame* frame : set.Frames()) {
        frames << frame;
        if (TFramePane* inner = frame->FrameSet())
            CollectFrames(*inner, frames);
    }
}

} // namespace

QList<THtmlView*> TPageMeasure::Views(THtmlPane& pane, int* frameCount)
{
    QList<THtmlView*> views;
    QList<THtmlFrame*> frames;
    if (THtmlView* view = pane.View())
        views << view;
    else if (TFramePane* set = pane.FrameSet())
        CollectFrames(*set, frames);
    for (THtmlFrame* frame : frames)
        if (THtmlView* view = frame->View())
            views << view;
    if (frameCount)
        *frameCount = int(frames.size());
    return views;
}

TPageMeasure TPageMeasure::Of(THtmlPane& pane)
{
    TPageMeasure m;
    m.frameSet = !pane.View();
    for (THtmlView* view : Views(pane, &m.frames))
        m.AddView(*view);
    return m;
}

int TPageMeasure::Scrolled(THtmlPane& pane)
{
    int furthest = 0;
    for (THtmlView* view : Views(pane, nullptr))
        furthest = std::max(furthest, view->Position());
    return furthest;
}

void TPageMeasure::AddView(THtmlView& view)
{
    QTextDocument* doc = view.document();
    QSet<int> linked;
    QString shown;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (!block.isVisible())
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const int link = LinkIndex(fragment.charFormat().anchorHref());
            if (link >= 0)
                linked.insert(link);
        }
        shown += block.text();
        shown += u'\n';
    }
    shown.replace(QChar::ObjectReplacementCharacter, u' ');
    shown.replace(QChar::LineSeparator, u'\n');
    shown.replace(QChar::Nbsp, u' ');
    text += shown;

    const THtmlPage& page = view.Page();
    for (const THtmlObject& o : view.Objects()) {
        if (o.position < 0)
            continue; // never reached the text
        if (o.info.kind == THtmlObjectInfo::Image) {
            ++images;
            const auto map = page.maps.constFind(o.info.mapName);
            if (!o.info.mapName.isEmpty() && map != page.maps.constEnd())
                for (const TImageMap::TArea& area : map->Areas())
                    if (area.linkIndex >= 0)
                        linked.insert(area.linkIndex);
        } else if (o.widget || o.IsPicture()) {
            ++controls; // image buttons too: the browser counts them as inputs
        }
    }
    links += int(linked.size());
    height += int(std::ceil(doc->documentLayout()->documentSize().height()));
}

QJsonObject TPageMeasure::ToJson() const
{
    return QJsonObject{{QStringLiteral("text"), text},         {QStringLiteral("links"), links},
                       {QStringLiteral("images"), images},     {QStringLiteral("frames"), frames},
                       {QStringLiteral("controls"), controls}, {QStringLiteral("height"), height},
                       {QStringLiteral("frameset"), frameSet}};
}
