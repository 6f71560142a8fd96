#pragma once
#include <QString>

class THtmlRewriteContext;
struct THtmlToken;
struct TCssBox;

// Divisions the page's styles draw as boxes (a border, padding, floating to the left):
// the engine draws these only around table cells, so such a division is written inside a
// table of one cell. What follows a division floating left goes into a second cell beside
// it, up to the end of the block around both or to a division that clears the float.
class THtmlBoxTags
{
public:
    static void StartDivision(THtmlRewriteContext& c, const THtmlToken& t);
    static void EndDivision(THtmlRewriteContext& c, const THtmlToken& t);

    // The tag of the block that holds what follows a division floating left.
    static const QString& FloatRestTag();

private:
    // Tables the engine lays out twice per level, like the page's own.
    static bool RoomForABox(THtmlRewriteContext& c);
    static QString BoxOpen(const TCssBox& box);
};
