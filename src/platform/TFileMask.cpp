#include "TFileMask.h"
#include "TCaseFold.h"

namespace {

// Wildcard match ignoring case: "*" any run, "?" one character. Iterative with a single
// backtrack point, so hostile masks cannot make it exponential.
bool Glob(const QString& mask, const QString& name)
{
    int m = 0, n = 0, starM = -1, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starM = m++;
            starN = n;
        } else if (m < mask.size() && (mask[m] == u'?' || TCaseFold::Unit(mask[m].unicode()) ==
                                                              TCaseFold::Unit(name[n].unicode()))) {
            ++m;
            ++n;
        } else if (starM >= 0) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

} // namespace

bool TFileMask::Matches(const QString& mask, const QString& name)
{
    if (mask.isEmpty())
        return false;
    if (Glob(mask, name))
        return true;

    // "name.*" also matches a name without any extension.
    if (mask.endsWith(QLatin1String(".*")) && !name.contains(u'.') &&
        Glob(mask.left(mask.size() - 2), name))
        return true;

    // A three-character extension also matches longer extensions starting with it, as a
    // short 8.3 name would have: "*.htm" finds "page.html".
    const int maskDot = mask.lastIndexOf(u'.');
    const int nameDot = name.lastIndexOf(u'.');
    if (maskDot >= 0 && nameDot > 0 && mask.size() - maskDot - 1 == 3 &&
        name.size() - nameDot - 1 > 3) {
        const QString maskExt = mask.mid(maskDot + 1);
        if (!maskExt.contains(u'*'))
            return Glob(mask, name.left(nameDot + 4));
    }
    return false;
}
