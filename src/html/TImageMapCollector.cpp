#include "html/TImageMapCollector.h"
#include "html/THtmlRewriteContext.h"

TImageMapCollector::TImageMapCollector(THtmlRewriteContext& context) : m_context(context) {}

void TImageMapCollector::StartMap(const THtmlToken& t)
{
    QString name = t.Attr(QStringLiteral("name")).trimmed().toLower();
    if (name.startsWith(u'#'))
        name.remove(0, 1);
    m_map = name;
    QHash<QString, TImageMap>& maps = m_context.Page().maps;
    if (!name.isEmpty() && !maps.contains(name))
        maps.insert(name, TImageMap());
}

void TImageMapCollector::EndMap() { m_map.clear(); }

void TImageMapCollector::StartArea(const THtmlToken& t)
{
    if (m_map.isEmpty())
        return;
    int link = -1;
    if (t.Has(QStringLiteral("href")) && !t.Has(QStringLiteral("nohref")))
        link = m_context.AddLink(t.Attr(QStringLiteral("href")), t.Attr(QStringLiteral("target")));
    m_context.Page().maps[m_map].AddArea(t.Attr(QStringLiteral("shape")),
                                         t.Attr(QStringLiteral("coords")), link,
                                         t.Attr(QStringLiteral("alt")));
}
