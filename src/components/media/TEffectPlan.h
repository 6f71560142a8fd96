#pragma once
#include "components/media/TStripCopy.h"
#include "components/paint/TLookTypes.h"
#include "components/paint/TRect.h"
#include <QSize>
#include <vector>

// The copies of one run of the strip effect, in the order they are made.
//
// For a falling effect of n strips, strip k (n down to 2) is copied to every position
// 1..k-1 in turn, so about n*n/2 copies are made. A large picture would need millions of
// them, so the copies are never stored: any copy is computed from its index, and
// SurvivingCopies() gives, for a run of consecutive copies, only those not overwritten
// later in the same run. Every copy reads from the unchanged picture and the positions
// do not overlap, so applying the survivors leaves the surface exactly as applying the
// whole run would.
class TEffectPlan
{
public:
    TEffectPlan() = default;
    // picture: where the picture lies in the control (see PictureRect).
    TEffectPlan(TEffectStyle effect, const TRect& picture, int boxWidth);

    // Where a picture lies in a control's client area: the whole client area when
    // stretched, centred (the offset rounding towards zero) or at the top-left corner.
    static TRect PictureRect(QSize picture, QSize client, bool stretch, bool center);
    // How many strips of boxWidth cover extent pixels (a last, narrower strip included).
    static int StripCount(int extent, int boxWidth);

    TEffectStyle Effect() const { return m_effect; }
    const TRect& Picture() const { return m_picture; }
    int BoxWidth() const { return m_boxWidth; }
    // Strips across the direction of movement (0 for efNone).
    int Strips() const { return m_strips; }

    qint64 CopyCount() const { return m_copies; }
    // The index-th copy, 0 <= index < CopyCount().
    TStripCopy CopyAt(qint64 index) const;
    // Copies first..end-1 in order.
    std::vector<TStripCopy> Copies(qint64 first, qint64 end) const;
    // Of copies first..end-1, those whose result is not overwritten by a later copy of the
    // same run, in the order they are made. At most one per position.
    std::vector<TStripCopy> SurvivingCopies(qint64 first, qint64 end) const;

private:
    TStripCopy Strip(int source, int destination) const;
    // Source strip k and destination position j of the index-th copy.
    void Locate(qint64 index, int* k, int* j) const;
    static qint64 Triangle(qint64 k) { return k * (k - 1) / 2; }

    TEffectStyle m_effect = efNone;
    TRect m_picture;
    int m_boxWidth = 2;
    int m_extent = 0; // W or H: one more than the picture's extent along the movement
    int m_across = 0; // the other one, the full length of every strip
    int m_strips = 0;
    qint64 m_copies = 0;
};
