#pragma once
#include "components/paint/TOwnerDrawState.h"
#include <initializer_list>

// How a standard outline row is laid out; also fixes the indentation used for its width.
enum TOutlineStyle {
    osText = 0,
    osPlusMinusText = 1,
    osPictureText = 2,
    osPlusMinusPictureText = 3,
    osTreeText = 4,
    osTreePictureText = 5
};

// otOwnerDraw hands each row to the OnDrawItem handler and lets ItemHeight be set directly.
enum TOutlineType { otStandard = 0, otOwnerDraw = 1 };

enum TOutlineOption { ooDrawTreeRoot = 0, ooDrawFocusRect = 1, ooStretchBitmaps = 2 };

// A set of outline options, one bit per option ordinal.
class TOutlineOptions
{
public:
    constexpr TOutlineOptions() = default;
    constexpr TOutlineOptions(std::initializer_list<TOutlineOption> options)
    {
        for (TOutlineOption o : options)
            m_bits |= Bit(o);
    }
    constexpr bool Contains(TOutlineOption o) const { return (m_bits & Bit(o)) != 0; }
    constexpr TOutlineOptions& Include(TOutlineOption o)
    {
        m_bits |= Bit(o);
        return *this;
    }
    constexpr TOutlineOptions& Exclude(TOutlineOption o)
    {
        m_bits &= ~Bit(o);
        return *this;
    }
    constexpr bool IsEmpty() const { return m_bits == 0; }
    constexpr unsigned Bits() const { return m_bits; }
    static constexpr TOutlineOptions FromBits(unsigned bits)
    {
        TOutlineOptions r;
        r.m_bits = bits & 0x7u;
        return r;
    }
    constexpr bool operator==(const TOutlineOptions&) const = default;

private:
    static constexpr unsigned Bit(TOutlineOption o) { return 1u << unsigned(o); }
    unsigned m_bits = 0;
};
