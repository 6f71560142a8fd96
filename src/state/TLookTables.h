#pragma once
#include "state/TLookProperty.h"
#include <QStringList>
#include <vector>

class QFont;
class TClrListView;
class TGraphicSplitBar;
class TKXPanelPage;
class TROutliner;

// The look properties of each styled control, in the order of its state file section;
// keys added to the format (FontStyle, PictureFile) come last so older readers skip them.
// These tables are the one place a look key is named: the section readers and writers,
// the style copies and the editor's fields all go through them.
class TLookTables
{
public:
    template <class C>
    using TTable = std::vector<TLookProperty<C>>;

    static const TTable<TROutliner>& Outliner();
    static const TTable<TClrListView>& ListView();
    static const TTable<TKXPanelPage>& Panel();
    // The vertical splitter's section ends with Width, the horizontal one's with Height.
    static const TTable<TGraphicSplitBar>& Splitter(bool vertical);

    // The keys of a table, in order.
    template <class C>
    static QStringList Keys(const TTable<C>& table)
    {
        QStringList keys;
        for (const TLookProperty<C>& p : table)
            keys << p.Key;
        return keys;
    }

    // FontStyle: the sum of 1 bold, 2 italic, 4 underline and 8 strike-out.
    static qint32 FontStyleOf(const QFont& font);
    static void ApplyFontStyle(QFont& font, qint32 style);
};
