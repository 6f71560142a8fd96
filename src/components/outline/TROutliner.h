#pragma once
#include "components/outline/TColdmereOutline.h"
#include "components/paint/TCellLook.h"
#include "components/paint/TLookTypes.h"
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

class QPainter;
class THeadingView;

// The outline as the program shows it: every paint is composed in an off-screen image,
// over a plain, tiled-bitmap or gradient background laid on with BackgroundCopyMode, each
// row a coloured cell (box or rounded end) composed in a row image and laid on with
// BackgroundCellCopyMode, an optional 3-D or underline cell outline, plain or embossed
// text and plus/minus pictures (kept visible on any cell; a click on one opens or closes
// its node). An outliner without items shows only its background and
// the vertical watermark.
//
// Linked to an HTML view (SetViewer) it serves as the table of contents of the view's
// headings: FillFromHeadings builds the tree and a click on an entry scrolls the view there.
//
// Look setters that repaint: Bitmap, CellPaintColour, CellHiLightColour, DrawCellOutline,
// DoCellOutline, CellOutlineWidth, HitGap, LeftGap, TextNormalCol, TextHiLight,
// TextAsThreeD, WatermarkText. Setters that only store (callers call Repaint):
// BackGroundStyle, both copy modes, GradientHiLight, GradientLoLight, ControlOutline,
// CellPaint. Color and FontColour come from the grid; the font is the widget's font.
class TROutliner : public TColdmereOutline
{
    Q_OBJECT
public:
    // The surfaces one paint creates; CreateSurface makes each of them.
    enum class TSurface { OffScreen, Background, Row };

    // What the last paint drew, for tests and benchmarks.
    struct TPaintStats
    {
        int Rows = 0;        // calls of the row painter
        int Cells = 0;       // cells laid onto the surface
        int Texts = 0;       // rows whose text was drawn
        int TextCopies = 0;  // copies of text drawn (embossed text takes two or three)
        int Pictures = 0;    // plus/minus pictures drawn
        bool Empty = false;  // painted as an outliner without items
        bool Direct = false; // drawn straight on the canvas, without an off-screen image
        bool Failed = false; // painting raised and was abandoned
    };

    static const char* const SevereErrorText;    // the message shown when painting fails
    static const char* const SevereErrorCaption; // "Severe Error"

    explicit TROutliner(QWidget* parent = nullptr);
    ~TROutliner() override;

    // --- background -----------------------------------------------------------------
    TKXBackStyle BackGroundStyle() const { return m_backGroundStyle; }
    void SetBackGroundStyle(TKXBackStyle style) { m_backGroundStyle = style; }
    // The tile for rbsBitmap; SetBitmap keeps a copy of its own.
    const QImage& Bitmap() const { return m_bitmap; }
    void SetBitmap(const QImage& bitmap);
    // The picture the outliner was built with, which BitmapFile=Empty brings back.
    const QImage& BuiltInBitmap() const { return m_builtInBitmap; }
    void SetBuiltInBitmap(const QImage& bitmap) { m_builtInBitmap = bitmap; }
    // The file last loaded into Bitmap by LoadBackgroundBitmap (empty until one is).
    const QString& BitmapFileName() const { return m_bitmapFileName; }
    void SetBitmapFileName(const QString& fileName) { m_bitmapFileName = fileName; }
    // Raster copy codes (TCopyMode): how the background is laid onto Color, and how each
    // cell is laid onto the background.
    quint32 BackgroundCopyMode() const { return m_backgroundCopyMode; }
    void SetBackgroundCopyMode(quint32 mode) { m_backgroundCopyMode = mode; }
    quint32 BackgroundCellCopyMode() const { return m_backgroundCellCopyMode; }
    void SetBackgroundCellCopyMode(quint32 mode) { m_backgroundCellCopyMode = mode; }
    // Left and right colours of the gradient; GradientLoLight also fills rbsNone.
    qint32 GradientHiLight() const { return m_gradientHiLight; }
    void SetGradientHiLight(qint32 colour) { m_gradientHiLight = colour; }
    qint32 GradientLoLight() const { return m_gradientLoLight; }
    void SetGradientLoLight(qint32 colour) { m_gradientLoLight = colour; }
    TKXCStyle ControlOutline() const { return m_controlOutline; }
    void SetControlOutline(TKXCStyle style) { m_controlOutline = style; }

    // Loads a picture file into Bitmap. On failure returns false and changes nothing; on
    // success sets BitmapFileName and BackGroundStyle rbsBitmap and repaints; a repaint
    // that fails also gives false.
    bool LoadBackgroundBitmap(const QString& fileName);

    // --- cells ------------------------------------------------------------------------
    // The whole row look, gaps as set (HitGap and LeftGap give them in force). SetCellLook applies it exactly as given
    // (only kept usable: outline width 0..5, gaps not negative) without the side effects of
    // the single setters below, so a look read or copied stays the look it was; repaints.
    TCellLook CellLook() const;
    void SetCellLook(const TCellLook& look);
    // Stored and edited; it does not change the drawing.
    bool CellPaint() const { return m_cell.CellPaint; }
    void SetCellPaint(bool paint) { m_cell.CellPaint = paint; }
    qint32 CellPaintColour() const { return m_cell.CellPaintColour; }
    void SetCellPaintColour(qint32 colour);
    qint32 CellHiLightColour() const { return m_cell.CellHiLightColour; }
    void SetCellHiLightColour(qint32 colour);
    // rcsRoundRight and rcsRoundLeft also turn DoCellOutline to rlsNone; rcsNone paints
    // no cells.
    TCellStyle DrawCellOutline() const { return m_cell.DrawCellOutline; }
    void SetDrawCellOutline(TCellStyle style);
    TKXLineStyle DoCellOutline() const { return m_cell.DoCellOutline; }
    void SetDoCellOutline(TKXLineStyle style);
    int CellOutlineWidth() const { return m_cell.CellOutlineWidth; }
    void SetCellOutlineWidth(int width); // clamped to 0..5
    // Insets of every cell from the right and the left edge. The value set is kept; the
    // gap in force stays within 0..width / 4 of the present width, so a look applied
    // before the window's first layout shows as it would at the real size.
    int HitGap() const { return ClampGap(m_cell.HitGap); }
    void SetHitGap(int gap);
    int LeftGap() const { return ClampGap(m_cell.LeftGap); }
    void SetLeftGap(int gap);
    // Gaps are kept within the width of this widget instead of the outliner's own (a
    // preview clamps as the live control it stands for); null for the outliner itself.
    void SetClampReference(QWidget* reference) { m_clampReference = reference; }

    // --- text -------------------------------------------------------------------------
    qint32 TextNormalCol() const { return m_cell.TextNormalCol; }
    void SetTextNormalCol(qint32 colour);
    qint32 TextHiLight() const { return m_cell.TextHiLight; } // also the highlighted underline
    void SetTextHiLight(qint32 colour);
    bool TextAsThreeD() const { return m_cell.TextAsThreeD; }
    void SetTextAsThreeD(bool embossed);
    // Drawn upright along the left edge of an outliner without items ("Calderwyn").
    const QString& WatermarkText() const { return m_watermarkText; }
    void SetWatermarkText(const QString& text);

    // --- headings ---------------------------------------------------------------------
    THeadingView* Viewer() const { return m_viewer; }
    void SetViewer(THeadingView* viewer) { m_viewer = viewer; }
    // Rebuilds the outline from heading lines "text#level": the text before the first
    // "#" and the number at the start of the rest (0 without digits). Lines without "#"
    // or starting with it add nothing.
    void FillFromHeadings(const QStringList& lines);
    // The list last given to FillFromHeadings.
    const QStringList& HeadingLines() const { return m_headingLines; }
    // Adds one heading: at the top level for level 0 or an empty outline; else beside the
    // last item for its level, below it for a deeper level (however much deeper), or
    // beside its nearest ancestor above a shallower level. False for an empty text or a
    // negative level.
    bool AddHeading(const QString& text, int level);
    // Scrolls the view to the first entry of its heading list whose text before its first
    // "#" is text (case-sensitive). False when there is none, or no view.
    bool GoToHeading(const QString& text);
    // The click an outliner starts with: the view shows the heading of the selected entry.
    // A window that assigns OnClick replaces it.
    void DefaultClick();

    // --- painting ---------------------------------------------------------------------
    // Schedules a repaint, for callers that set look properties that only store.
    void Repaint();
    // Paints the client area (the viewport) exactly as the screen would get it; reports a
    // failure like a screen paint does.
    QImage RenderToImage();
    const TPaintStats& LastPaint() const { return m_stats; }

protected:
    // Makes one drawing surface (Format_RGB32, filled with the outliner's colour). A null
    // image means the surface cannot be made; the paint then degrades (no off-screen
    // image: draw on the canvas; no background: rbsNone; no row image: rcsNone).
    virtual QImage CreateSurface(TSurface kind, const QSize& size);
    // The row painter: draws one visible row onto the surface of the paint in progress.
    void PaintRow(int row, const QRect& rect);
    // A left press on a plus/minus picture opens or closes its node; anywhere else the
    // press selects the row as before.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos) override;

    void paintEvent(QPaintEvent* event) override;

private:
    bool Compose(QPainter& canvas, const QRect& clip);
    void PaintBody(QPainter& target, QImage* surface, const QRect& client);
    void PaintEmpty(QPainter& target, const QRect& client);
    void ReportPaintFailure();
    QFont UsableFont() const;
    int ClampGap(int gap) const;
    int AddHeadingNode(const QString& text, int level, void* data);
    int HeadingOfItem(int item);
    // The node whose plus/minus picture is at a viewport point, or null.
    TOutlineNode* PlusMinusAt(const QPoint& pos);

    TKXBackStyle m_backGroundStyle = rbsNone;
    QImage m_bitmap;
    QString m_bitmapFileName;
    quint32 m_backgroundCopyMode;
    quint32 m_backgroundCellCopyMode;
    qint32 m_gradientHiLight;
    qint32 m_gradientLoLight;
    TKXCStyle m_controlOutline = kxNoDraw;
    TCellLook m_cell;
    QPointer<QWidget> m_clampReference;
    QImage m_builtInBitmap;
    QString m_watermarkText;

    THeadingView* m_viewer = nullptr;
    QStringList m_headingLines;
    // The heading list position of each entry FillFromHeadings made; the entries carry
    // pointers into it as their Data, so a skipped line cannot shift the clicks.
    std::vector<int> m_headingPositions;

    // The paint in progress: the off-screen image (null when drawing on the canvas), the
    // row image, the brush colour of the off-screen surface and the font of the rows.
    QImage* m_surface = nullptr;
    QImage m_rowBitmap;
    QRgb m_brush = 0;
    QFont m_rowFont;
    int m_textHeight = 0;
    TPaintStats m_stats;
    bool m_failureReportPending = false;
};
