#include "html/THtmlFormattingElements.h"
#include "html/THtmlRewriter.h"

namespace {

// How many formatting elements alike are reopened, and how many elements opened inside a
// formatting element before a block survive its end tag read inside the block.
constexpr int kBrowserLimit = 3;

// Attributes are alike whatever their order.
bool SameAttributes(const QList<QPair<QString, QString>>& a,
                    const QList<QPair<QString, QString>>& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& attribute : a)
        if (!b.contains(attribute))
            return false;
    return true;
}

} // namespace

// The elements are kept in the order of their levels, the waiting ones last: elements are
// opened in the innermost block, a block's end makes its own wait, and an end tag makes
// only elements after it wait.

bool THtmlFormattingElements::Push(TElement element, int level)
{
    Reopen(level);
    if (element.formatting)
        LimitAlike(element);
    if (Size() >= THtmlRewriter::kMaxInlineDepth)
        return false;
    element.level = level;
    m_elements.append(std::move(element));
    return true;
}

void THtmlFormattingElements::LimitAlike(const TElement& element)
{
    int alike = 0;
    for (int k = Size() - 1; k >= 0; --k) {
        TElement& e = m_elements[k];
        if (e.formatting && e.tag == element.tag &&
            SameAttributes(e.attributes, element.attributes) && ++alike == kBrowserLimit) {
            // It stays in effect where it is open, but ends there for good.
            e.formatting = false;
            return;
        }
    }
}

void THtmlFormattingElements::Reopen(int level)
{
    for (int k = Size() - 1; k >= 0 && m_elements[k].level < 0; --k)
        m_elements[k].level = level;
}

int THtmlFormattingElements::FindEnd(const QString& tag, int level) const
{
    for (int k = Size() - 1; k >= 0; --k)
        if (m_elements[k].formatting && m_elements[k].tag == tag)
            return k;
    // Any other element only when it is open in this block.
    for (int k = Size() - 1; k >= 0; --k) {
        const TElement& e = m_elements[k];
        if (e.level < 0)
            continue;
        if (e.level < level)
            break;
        if (e.tag == tag)
            return k;
    }
    return -1;
}

int THtmlFormattingElements::FindOpen(const QString& tag) const
{
    for (int k = Size() - 1; k >= 0; --k)
        if (m_elements[k].level >= 0 && m_elements[k].tag == tag)
            return k;
    return -1;
}

void THtmlFormattingElements::End(int index, int level)
{
    const int from = m_elements[index].level;
    m_elements.removeAt(index);
    if (from < 0)
        return; // it was waiting: nothing was open inside it
    // What was opened inside it in this block ends here; formatting elements wait to be
    // reopened. A browser moves each block between its start and this one out of it and
    // into copies of the formatting elements opened before that block, but only of the
    // three innermost elements there: the others end.
    int counting = -1;
    int n = 0;
    for (int k = Size() - 1; k >= index; --k) {
        TElement& e = m_elements[k];
        if (e.level < 0)
            continue;
        if (e.level != counting) {
            counting = e.level;
            n = 0;
        }
        ++n;
        const bool inThisBlock = e.level >= level;
        if (!e.formatting || (!inThisBlock && n > kBrowserLimit))
            m_elements.removeAt(k);
        else if (inThisBlock)
            e.level = -1;
    }
}

void THtmlFormattingElements::EndBlock(int level)
{
    for (int k = Size() - 1; k >= 0; --k) {
        TElement& e = m_elements[k];
        if (e.level < 0)
            continue;
        if (e.level < level)
            break;
        if (e.formatting)
            e.level = -1;
        else
            m_elements.removeAt(k);
    }
}

void THtmlFormattingElements::AppendWaiting(const THtmlFormattingElements& other)
{
    for (const TElement& e : other.m_elements)
        if (e.formatting && e.level < 0 && Size() < THtmlRewriter::kMaxInlineDepth)
            m_elements.append(e);
}
