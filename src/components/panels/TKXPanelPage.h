#pragma once
#include "components/paint/TLookTypes.h"
#include "components/paint/TRect.h"
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <functional>

// The panel behind the browsing window's content panels: paints a plain, tiled-bitmap or
// gradient background and, on every paint, hands its visible children to OnPosition so
// the window can lay them out inside the gaps and frame them.
class TKXPanelPage : public QWidget
{
    Q_OBJECT
public:
    // Sender, the visible direct children in child order, the page rectangle (the client
    // rectangle at this paint; not to be changed) and the page's canvas for this paint.
    using TPositionEvent = std::function<void(QObject* sender, const QList<QWidget*>& itemsVisible,
                                              const TRect& parentRectArea, QPainter* drawCanvas)>;

    explicit TKXPanelPage(QWidget* parent = nullptr);

    TKXBackStyle BackGroundStyle() const { return m_backGroundStyle; }
    void SetBackGroundStyle(TKXBackStyle v) { m_backGroundStyle = v; } // callers repaint

    const QImage& TileBitmap() const { return m_tileBitmap; }
    void SetTileBitmap(const QImage& v); // no repaint

    qint32 GradientHiLight() const { return m_gradientHiLight; }
    void SetGradientHiLight(qint32 v); // also sets Color; repaints
    // The same without touching Color: a look read or copied keeps its own colour.
    void StoreGradientHiLight(qint32 v);
    qint32 GradientLoLight() const { return m_gradientLoLight; }
    void SetGradientLoLight(qint32 v); // repaints

    TKXCStyle ControlOutline() const { return m_controlOutline; }
    void SetControlOutline(TKXCStyle v) { m_controlOutline = v; } // callers repaint

    // The gaps in force: the value set, kept within 0..width / 4 (left, right) or
    // 0..height / 4 (top, bottom) of the page's present size. The value set is kept, so a
    // page that grows after a look was applied (the window's first layout, a resize) shows
    // the look as it would have been applied at the new size. No repaint.
    int AlignLeftGap() const { return ClampWidth(m_alignLeftGap); }
    void SetAlignLeftGap(int v) { m_alignLeftGap = std::max(0, v); }
    int AlignTopGap() const { return ClampHeight(m_alignTopGap); }
    void SetAlignTopGap(int v) { m_alignTopGap = std::max(0, v); }
    int AlignRightGap() const { return ClampWidth(m_alignRightGap); }
    void SetAlignRightGap(int v) { m_alignRightGap = std::max(0, v); }
    int AlignBottomGap() const { return ClampHeight(m_alignBottomGap); }
    void SetAlignBottomGap(int v) { m_alignBottomGap = std::max(0, v); }
    // Gaps are kept within the size of this widget instead of the page's own (a preview
    // clamps as the live page it stands for); null for the page itself.
    void SetClampReference(QWidget* reference) { m_clampReference = reference; }

    // Stored only; they change neither drawing nor layout.
    int LeaveSpaceAtBottom() const { return m_leaveSpaceAtBottom; }
    void SetLeaveSpaceAtBottom(int v) { m_leaveSpaceAtBottom = v; }
    int LeaveSpaceAtTitle() const { return m_leaveSpaceAtTitle; }
    void SetLeaveSpaceAtTitle(int v) { m_leaveSpaceAtTitle = v; }

    // The panel's own colour; also the brush a failed tiling falls back to.
    qint32 Color() const { return m_color; }
    void SetColor(qint32 v);

    // The picture the page was built with, which BitmapFile=Empty brings back.
    const QImage& BuiltInBitmap() const { return m_builtInBitmap; }
    void SetBuiltInBitmap(const QImage& v) { m_builtInBitmap = v; }

    // The file last loaded into TileBitmap (empty until one is).
    const QString& BitmapFileName() const { return m_bitmapFileName; }
    void SetBitmapFileName(const QString& v) { m_bitmapFileName = v; }

    // Loads a picture file into TileBitmap. On failure returns false and changes nothing;
    // on success sets BitmapFileName and BackGroundStyle rbsBitmap, repaints, returns true.
    bool LoadTileBitmap(const QString& fileName);

    // The client rectangle at the last paint and the children handed to OnPosition then.
    const TRect& PageRect() const { return m_pageRect; }
    const QList<QWidget*>& ItemsVisible() const { return m_itemsVisible; }

    TPositionEvent OnPosition;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QWidget*> VisibleChildren() const;
    int ClampWidth(int gap) const;
    int ClampHeight(int gap) const;

    TKXBackStyle m_backGroundStyle = rbsNone;
    QImage m_tileBitmap;
    qint32 m_gradientHiLight = 0;
    qint32 m_gradientLoLight = 0;
    TKXCStyle m_controlOutline = kxNoDraw;
    int m_alignLeftGap = 10;
    int m_alignTopGap = 10;
    int m_alignRightGap = 10;
    int m_alignBottomGap = 10;
    int m_leaveSpaceAtBottom = 50;
    int m_leaveSpaceAtTitle = 40;
    qint32 m_color;
    QString m_bitmapFileName;
    QImage m_builtInBitmap;
    QPointer<QWidget> m_clampReference;
    TRect m_pageRect;
    QList<QWidget*> m_itemsVisible;
    bool m_positioning = false;
};
