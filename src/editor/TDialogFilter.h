#pragma once
#include <QString>
#include <QStringList>

// File dialog filters: the program writes them as pairs "Description|pattern;pattern",
// separated by "|"; Qt wants one "Description (pattern pattern)" per entry.
class TDialogFilter
{
public:
    // "BMP Files (*.bmp)|*.bmp" -> {"BMP Files (*.bmp)"}; a description's own bracketed
    // pattern list is replaced by the patterns of its pair. Empty for an empty filter.
    static QStringList ToQt(const QString& filter);

    // The same entries with every letter of the patterns matching either case
    // ("*.bmp" -> "*.[bB][mM][pP]"): files named by the original system ignore letter case.
    // "*.*" becomes "*", so a name without an extension is listed too.
    static QStringList IgnoringCase(const QStringList& qtFilters);

    // For a dialog that hides the pattern lists (QFileDialog::HideNameFilterDetails): each
    // entry as ToQt writes it, then its case-free patterns, which the dialog matches and
    // strips: the reader sees "State Files (*.sta)", the dialog lists "LAMP.STA" too.
    static QStringList ForDialog(const QString& filter);
};
