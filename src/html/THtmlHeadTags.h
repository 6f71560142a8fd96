#pragma once
#include <QString>

class THtmlRewriteContext;
struct THtmlToken;

// What a document says about the page as a whole: its title, its colours and background
// picture, its style sheets, and the frame its links open in.
class THtmlHeadTags
{
public:
    static void StartBody(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartBase(THtmlRewriteContext& c, const THtmlToken& t);
    static void TitleText(THtmlRewriteContext& c, const QString& text);
    static void StartLink(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartStyle(THtmlRewriteContext& c, const THtmlToken& t);
    static void StyleText(THtmlRewriteContext& c, const QString& text);

private:
    static void AddStyleSheet(THtmlRewriteContext& c, const QString& sheet);
};
