#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// How a page's styles draw the box of a division: a border, padding, a background, a
// width, floating to the left. The text engine draws none of these around a block, only
// around a table cell, so the rewriter draws such a division as a table of one cell.
struct TCssBox
{
    int borderWidth = 0;             // pixels; 0: no border
    QString borderColor;             // as written; empty: the text's colour
    int padding[4] = {0, 0, 0, 0};   // top, right, bottom, left, pixels
    QString background;              // a colour as written; empty: none
    QString width;                   // "50%" or pixels; empty: the whole line
    QString marginTop, marginBottom; // pixels as written; empty: none
    bool floatLeft = false;
    bool clears = false; // clear: left or both

    bool Framed() const;
};

// The rules of a page's style sheets that pick elements by name, class and id alone
// ("div", ".note", "DIV.header", "#top"; a rule with any other selector does not draw
// boxes here), read from sheets already made ready for the engine (THtmlStyleSheet).
class TCssBoxRules
{
public:
    void Add(const QString& sheet);
    bool Empty() const { return m_rules.empty(); }

    // The box of an element of that name, classes and id with that style attribute (its
    // declarations made ready for the engine), the attribute winning over the rules and
    // a more specific rule over a less specific one.
    TCssBox Box(const QString& tag, const QString& classes, const QString& id,
                const QString& style) const;

private:
    struct TRule
    {
        QString tag, id;     // lower-case tag; empty: any
        QStringList classes; // all must be present
        int specificity = 0;
        QString declarations;
    };

    void AddRule(const QString& selectors, const QString& declarations);
    static void Apply(const QString& declarations, TCssBox& box);

    std::vector<TRule> m_rules;
};
