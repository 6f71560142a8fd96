#include "components/media/TEffectPlan.h"
#include <algorithm>
#include <cmath>

TEffectPlan::TEffectPlan(TEffectStyle effect, const TRect& picture, int boxWidth)
    : m_effect(effect), m_picture(picture), m_boxWidth(std::max(2, boxWidth))
{
    // One more than the picture's extent, so the last strip may reach one pixel beyond
    // the picture; that pixel is not part of the picture and is never drawn.
    const int w = picture.Right - picture.Left + 1;
    const int h = picture.Bottom - picture.Top + 1;
    switch (effect) {
    case efTopDown:
        m_extent = h;
        m_across = w;
        break;
    case efLeftRight:
        m_extent = w;
        m_across = h;
        break;
    case efNone: m_copies = (picture.Width() > 0 && picture.Height() > 0) ? 1 : 0; return;
    }
    m_strips = StripCount(m_extent, m_boxWidth);
    m_copies = Triangle(m_strips);
}

TRect TEffectPlan::PictureRect(QSize picture, QSize client, bool stretch, bool center)
{
    if (stretch)
        return {0, 0, client.width(), client.height()};
    if (center) {
        const int x = (client.width() - picture.width()) / 2;
        const int y = (client.height() - picture.height()) / 2;
        return {x, y, x + picture.width(), y + picture.height()};
    }
    return {0, 0, picture.width(), picture.height()};
}

int TEffectPlan::StripCount(int extent, int boxWidth)
{
    if (extent <= 0 || boxWidth <= 0)
        return 0;
    return extent / boxWidth + (extent % boxWidth != 0 ? 1 : 0);
}

TStripCopy TEffectPlan::Strip(int source, int destination) const
{
    const TRect& d = m_picture;
    const int sourceLow = (source - 1) * m_boxWidth;
    const int sourceHigh = std::min(source * m_boxWidth, m_extent);
    const int destLow = (destination - 1) * m_boxWidth;
    const int destHigh = std::min(destination * m_boxWidth, m_extent);
    if (m_effect == efTopDown)
        return {{0, sourceLow, m_across, sourceHigh},
                {d.Left, d.Top + destLow, d.Left + m_across, d.Top + destHigh}};
    return {{sourceLow, 0, sourceHigh, m_across},
            {d.Left + destLow, d.Top, d.Left + destHigh, d.Top + m_across}};
}

void TEffectPlan::Locate(qint64 index, int* k, int* j) const
{
    // Strip k is copied k-1 times; the copies of the strips below it (n..k+1) come first.
    // Find the smallest k whose copies reach past index.
    const qint64 remaining = Triangle(m_strips) - index; // 1 .. Triangle(n)
    qint64 s = qint64(std::ceil((1.0 + std::sqrt(1.0 + 8.0 * double(remaining))) / 2.0));
    s = std::clamp<qint64>(s, 2, m_strips);
    while (s < m_strips && Triangle(s) < remaining)
        ++s;
    while (s > 2 && Triangle(s - 1) >= remaining)
        --s;
    *k = int(s);
    *j = int(index - (Triangle(m_strips) - Triangle(s))) + 1;
}

TStripCopy TEffectPlan::CopyAt(qint64 index) const
{
    if (m_effect == efNone) {
        const TRect& d = m_picture;
        return {{0, 0, d.Width(), d.Height()}, d};
    }
    int k = 0, j = 0;
    Locate(index, &k, &j);
    return Strip(k, j);
}

std::vector<TStripCopy> TEffectPlan::Copies(qint64 first, qint64 end) const
{
    first = std::max<qint64>(first, 0);
    end = std::min(end, m_copies);
    std::vector<TStripCopy> copies;
    if (first >= end)
        return copies;
    copies.reserve(size_t(end - first));
    if (m_effect == efNone) {
        copies.push_back(CopyAt(0));
        return copies;
    }
    int k = 0, j = 0;
    Locate(first, &k, &j);
    for (qint64 i = first; i < end; ++i) {
        copies.push_back(Strip(k, j));
        if (++j > k - 1) {
            --k;
            j = 1;
        }
    }
    return copies;
}

std::vector<TStripCopy> TEffectPlan::SurvivingCopies(qint64 first, qint64 end) const
{
    first = std::max<qint64>(first, 0);
    end = std::min(end, m_copies);
    std::vector<TStripCopy> copies;
    if (first >= end)
        return copies;
    if (m_effect == efNone) {
        copies.push_back(CopyAt(0));
        return copies;
    }
    int firstK = 0, firstJ = 0, lastK = 0, lastJ = 0;
    Locate(first, &firstK, &firstJ);
    Locate(end - 1, &lastK, &lastJ);
    if (firstK == lastK) {
        for (int j = firstJ; j <= lastJ; ++j)
            copies.push_back(Strip(firstK, j));
        return copies;
    }
    // Position j keeps the last strip copied to it: the smallest k of the run that
    // reaches j. Walk from the last strip of the run back to the first.
    struct TSegment
    {
        int k, low, high;
    };
    std::vector<TSegment> segments;
    segments.push_back({lastK, 1, lastJ});
    int covered = lastJ;
    for (int k = lastK + 1; k < firstK; ++k) {
        if (covered < k - 1)
            segments.push_back({k, covered + 1, k - 1});
        covered = std::max(covered, k - 1);
    }
    const int low = std::max(firstJ, covered + 1);
    if (low <= firstK - 1)
        segments.push_back({firstK, low, firstK - 1});
    for (auto it = segments.rbegin(); it != segments.rend(); ++it)
        for (int j = it->low; j <= it->high; ++j)
            copies.push_back(Strip(it->k, j));
    return copies;
}
