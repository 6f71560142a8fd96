#pragma once

class THtmlRewriteContext;
struct THtmlToken;

// UL, OL, MENU, DIR and their LI; DL with its DT and DD. Items outside a list get one,
// items close the item before them, and nesting beyond the limit is flattened.
class THtmlListTags
{
public:
    static void StartList(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartItem(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartDefinitionList(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartDefinitionItem(THtmlRewriteContext& c, const THtmlToken& t);

private:
    static void PushOrderedList(THtmlRewriteContext& c, const THtmlToken& t);
    // A list starts a block of its own, in a cell when it stands loose in a table.
    static void LeaveText(THtmlRewriteContext& c);
};
