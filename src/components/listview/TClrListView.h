#pragma once
#include "components/listview/TSortListView.h"
#include "components/paint/TLookTypes.h"

// The coloured document list: a report-style sorting list without a column header whose
// rows are drawn as the outliner draws its rows: a coloured cell (box or rounded end), a
// 3-D or underline cell outline, plain or embossed text. Its columns always share the
// client width equally.
class TClrListView : public TSortListView
{
    Q_OBJECT

public:
    explicit TClrListView(QWidget* parent = nullptr);

    bool CellPaint() const { return m_cellPaint; }
    void SetCellPaint(bool paint) { m_cellPaint = paint; } // callers repaint
    qint32 CellPaintColour() const { return m_cellPaintColour; }
    void SetCellPaintColour(qint32 colour);
    qint32 CellHiLightColour() const { return m_cellHiLightColour; }
    void SetCellHiLightColour(qint32 colour);
    // rcsRoundRight and rcsRoundLeft turn DoCellOutline off.
    TCellStyle DrawCellOutline() const { return m_drawCellOutline; }
    void SetDrawCellOutline(TCellStyle style);
    // rlsUnderline turns DrawCellOutline to rcsNone and CellHiLightColour to CellPaintColour.
    TKXLineStyle DoCellOutline() const { return m_doCellOutline; }
    void SetDoCellOutline(TKXLineStyle style);
    int CellOutlineWidth() const { return m_cellOutlineWidth; }
    void SetCellOutlineWidth(int width); // 0..5
    int HitGap() const { return m_hitGap; }
    void SetHitGap(int gap); // 0..width / 4; the gap right of every cell
    int LeftGap() const { return m_leftGap; }
    void SetLeftGap(int gap); // 0..width / 4
    qint32 TextNormalCol() const { return m_textNormalCol; }
    void SetTextNormalCol(qint32 colour);
    qint32 TextHiLight() const { return m_textHiLight; }
    void SetTextHiLight(qint32 colour);
    bool TextAsThreeD() const { return m_textAsThreeD; }
    void SetTextAsThreeD(bool embossed);

    // Shorthand for repainting after properties set without a repaint.
    void Repaint() { viewport()->update(); }

protected:
    void BeforePaint() override;
    void DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state) override;

private:
    int ClampGap(int gap) const;

    bool m_cellPaint = true;
    qint32 m_cellPaintColour;
    qint32 m_cellHiLightColour = 8388608;
    TCellStyle m_drawCellOutline = rcsBox;
    TKXLineStyle m_doCellOutline = rlsUnderline;
    int m_cellOutlineWidth = 1;
    int m_hitGap = 10;
    int m_leftGap = 10;
    qint32 m_textNormalCol = 0;
    qint32 m_textHiLight = 255;
    bool m_textAsThreeD = false;
};
