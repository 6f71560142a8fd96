#pragma once
#include "html/TCssDeclarations.h"
#include <QString>

// A page's style sheet made ready for Qt's rich-text engine, which matches element names
// in selectors with their letter case, while browsers match them in any case: pages of the
// time write "TD", "BODY", "A:link". Element names in selectors are lower-cased; classes,
// ids, attribute tests, pseudo-classes and strings stay as written, comments become blanks,
// and the
// declarations go through TCssDeclarations.
class THtmlStyleSheet
{
public:
    static QString ForEngine(const QString& css, const TCssDeclarations::TBase& base = {});
};
