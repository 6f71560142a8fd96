#pragma once
#include "components/listview/TSortListView.h"
#include "components/paint/TCellLook.h"
#include "components/paint/TLookTypes.h"
#include <QPointer>

// The coloured document list: a report-style sorting list without a column header whose
// rows are drawn as the outliner draws its rows: a coloured cell (box or rounded end), a
// 3-D or underline cell outline, plain or embossed text. Its columns always share the
// client width equally.
class TClrListView : public TSortListView
{
    Q_OBJECT

public:
    explicit TClrListView(QWidget* parent = nullptr);

    // The whole row look, gaps as set (HitGap and LeftGap give them in force). SetCellLook applies it exactly as given
    // (only kept usable) without the side effects of the single setters; repaints.
    TCellLook CellLook() const;
    void SetCellLook(const TCellLook& look);

    bool CellPaint() const { return m_cell.CellPaint; }
    void SetCellPaint(bool paint) { m_cell.CellPaint = paint; } // callers repaint
    qint32 CellPaintColour() const { return m_cell.CellPaintColour; }
    void SetCellPaintColour(qint32 colour);
    qint32 CellHiLightColour() const { return m_cell.CellHiLightColour; }
    void SetCellHiLightColour(qint32 colour);
    // rcsRoundRight and rcsRoundLeft turn DoCellOutline off.
    TCellStyle DrawCellOutline() const { return m_cell.DrawCellOutline; }
    void SetDrawCellOutline(TCellStyle style);
    // rlsUnderline turns DrawCellOutline to rcsNone and CellHiLightColour to CellPaintColour.
    TKXLineStyle DoCellOutline() const { return m_cell.DoCellOutline; }
    void SetDoCellOutline(TKXLineStyle style);
    int CellOutlineWidth() const { return m_cell.CellOutlineWidth; }
    void SetCellOutlineWidth(int width); // 0..5
    // The value set is kept; the gap in force stays within 0..width / 4 of the present
    // width (or of the clamp reference's, for a preview standing for a live list).
    int HitGap() const { return ClampGap(m_cell.HitGap); }
    void SetHitGap(int gap); // the gap right of every cell
    int LeftGap() const { return ClampGap(m_cell.LeftGap); }
    void SetLeftGap(int gap);
    void SetClampReference(QWidget* reference) { m_clampReference = reference; }
    qint32 TextNormalCol() const { return m_cell.TextNormalCol; }
    void SetTextNormalCol(qint32 colour);
    qint32 TextHiLight() const { return m_cell.TextHiLight; }
    void SetTextHiLight(qint32 colour);
    bool TextAsThreeD() const { return m_cell.TextAsThreeD; }
    void SetTextAsThreeD(bool embossed);

    // Shorthand for repainting after properties set without a repaint.
    void Repaint() { viewport()->update(); }

protected:
    void BeforePaint() override;
    void DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state) override;

private:
    int ClampGap(int gap) const;

    TCellLook m_cell;
    QPointer<QWidget> m_clampReference;
};
