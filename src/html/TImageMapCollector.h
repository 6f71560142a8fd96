#pragma once
#include <QString>

class THtmlRewriteContext;
struct THtmlToken;

// Client-side image maps: each MAP becomes a map of the page under its lower-case name,
// each AREA inside it an area with its link. A map may come before or after its picture.
class TImageMapCollector
{
public:
    explicit TImageMapCollector(THtmlRewriteContext& context);

    void StartMap(const THtmlToken& t);
    void EndMap();
    void StartArea(const THtmlToken& t); // outside a MAP it means nothing

private:
    THtmlRewriteContext& m_context;
    QString m_map; // the MAP whose areas are being read
};
