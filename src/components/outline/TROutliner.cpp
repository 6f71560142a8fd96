#include "components/outline/TROutliner.h"
#include "components/outline/THeadingView.h"
#include "components/paint/TBackgroundPainter.h"
#include "components/paint/TCellPainter.h"
#include "components/paint/TFramePainter.h"
#include "components/paint/TPlusMinusPainter.h"
#include "components/paint/TRect.h"
#include "components/paint/TTextPainter.h"
#include "components/paint/TWatermarkPainter.h"
#include "platform/EError.h"
#include "platform/TBitmapFile.h"
#include "platform/TColorRef.h"
#include "platform/TMessageBox.h"
#include "platform/TRasterOp.h"
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <climits>
#include <exception>
#include <functional>

const char* const TROutliner::SevereErrorText =
    "Failed to draw a screen element. Resources may be low. You should Exit this application";
const char* const TROutliner::SevereErrorCaption = "Severe Error";

namespace {

constexpr int kInitialWidth = 300;
constexpr int kInitialItemHeight = 30;
constexpr int kRowBitmapHeight = 30;
constexpr int kTextIndent = 8; // before the text, and between the picture and the text

// The decimal number at the start of text; 0 without digits, INT_MAX when it overflows.
int LeadingNumber(const QString& text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (!c.isDigit() || c.unicode() > '9')
            break;
        value = std::min<qint64>(INT_MAX, value * 10 + (c.unicode() - '0'));
    }
    return int(value);
}

int ClampToInt(qint64 v) { return int(std::clamp<qint64>(v, INT_MIN / 2, INT_MAX / 2)); }

// Where a row's parts go: the cell inside the gaps, the text indented by level, and with
// plus/minus pictures their box before the text, as wide as the text is high.
struct TRowPlaces
{
    TRect cell, text, box;
};

TRowPlaces RowPlaces(const QRect& rect, int level, int leftGap, int hitGap, int textHeight,
                     bool plusMinus)
{
    TRowPlaces p;
    const TRect r = TRect::FromQRect(rect);
    p.cell = {r.Left + leftGap, r.Top, r.Right - hitGap, r.Bottom};
    const int half = p.cell.Height() / 2;
    p.text = {ClampToInt(qint64(p.cell.Left) + qint64(level - 1) * half + kTextIndent), p.cell.Top,
              p.cell.Right - half, p.cell.Bottom};
    if (plusMinus) {
        p.box = {p.text.Left, p.cell.Top, ClampToInt(qint64(p.text.Left) + textHeight),
                 p.cell.Bottom};
        p.text.Left = ClampToInt(qint64(p.box.Right) + kTextIndent);
    }
    return p;
}

// A user action ends here: its failure is shown the way the application shows any error.
void ShowError(const std::exception& e)
{
    if (const auto* error = dynamic_cast<const EError*>(&e))
        TMessageBox::Show(error->Message(), QStringLiteral("Error"));
    else
        TMessageBox::Show(QString::fromLocal8Bit(e.what()), QStringLiteral("Error"));
}

} // namespace

TROutliner::TROutliner(QWidget* parent)
    : TColdmereOutline(parent)
    , m_backgroundCopyMode(TCopyMode::cmSrcCopy)
    , m_backgroundCellCopyMode(TCopyMode::cmSrcCopy)
    , m_gradientHiLight(TColours::clNavy)
    , m_gradientLoLight(Color())
    , m_watermarkText(QStringLiteral("Calderwyn"))
{
    m_cell.CellPaint = false;
    m_cell.CellPaintColour = Color();
    m_cell.CellHiLightColour = TColours::clNavy;
    m_cell.HitGap = 1;
    m_cell.LeftGap = 1;
    m_cell.TextAsThreeD = true;
    SetStyle(otOwnerDraw);
    SetItemHeight(kInitialItemHeight);
    SetScrollBars(ssBoth);
    SetOptions(TOutlineOptions());
    SetBorderStyle(bsNone);
    // Without its own pictures column an outline style draws no text at all; the
    // outliner's rows show their text with plus/minus pictures for nodes with items.
    SetOutlineStyle(osPlusMinusText);
    resize(kInitialWidth, height());
    OnDrawItem = [this](QObject*, int row, QRect rect, TOwnerDrawState) { PaintRow(row, rect); };
    OnClick = [this](QObject*) { DefaultClick(); };
}

TROutliner::~TROutliner() = default;

// --- look -----------------------------------------------------------------------------

void TROutliner::SetBitmap(const QImage& bitmap)
{
    m_bitmap = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32).copy();
    Repaint();
}

bool TROutliner::LoadBackgroundBitmap(const QString& fileName)
{
    QImage loaded;
    if (!TBitmapFile::Load(fileName, &loaded) || loaded.isNull())
        return false;
    m_bitmap = loaded.convertToFormat(QImage::Format_RGB32);
    m_bitmapFileName = fileName;
    m_backGroundStyle = rbsBitmap;
    if (!isVisible()) {
        Repaint();
        return true;
    }
    m_stats.Failed = false;
    viewport()->repaint();
    return !m_stats.Failed;
}

void TROutliner::SetCellPaintColour(qint32 colour)
{
    m_cell.CellPaintColour = colour;
    Repaint();
}

void TROutliner::SetCellHiLightColour(qint32 colour)
{
    m_cell.CellHiLightColour = colour;
    Repaint();
}

void TROutliner::SetDrawCellOutline(TCellStyle style)
{
    m_cell.DrawCellOutline = style;
    // A line across a rounded end would cut the rounding off.
    if (style == rcsRoundRight || style == rcsRoundLeft)
        m_cell.DoCellOutline = rlsNone;
    Repaint();
}

void TROutliner::SetDoCellOutline(TKXLineStyle style)
{
    m_cell.DoCellOutline = style;
    Repaint();
}

void TROutliner::SetCellOutlineWidth(int width)
{
    m_cell.CellOutlineWidth = std::clamp(width, 0, TCellLook::MaxOutlineWidth);
    Repaint();
}

int TROutliner::ClampGap(int gap) const
{
    const QWidget* sized = m_clampReference ? m_clampReference.data() : this;
    return std::clamp(gap, 0, std::max(0, sized->width() / 4));
}

void TROutliner::SetHitGap(int gap)
{
    m_cell.HitGap = std::max(0, gap);
    Repaint();
}

void TROutliner::SetLeftGap(int gap)
{
    m_cell.LeftGap = std::max(0, gap);
    Repaint();
}

TCellLook TROutliner::CellLook() const { return m_cell; }

void TROutliner::SetCellLook(const TCellLook& look)
{
    m_cell = look.Usable();
    Repaint();
}

void TROutliner::SetTextNormalCol(qint32 colour)
{
    m_cell.TextNormalCol = colour;
    Repaint();
}

void TROutliner::SetTextHiLight(qint32 colour)
{
    m_cell.TextHiLight = colour;
    Repaint();
}

void TROutliner::SetTextAsThreeD(bool embossed)
{
    m_cell.TextAsThreeD = embossed;
    Repaint();
}

void TROutliner::SetWatermarkText(const QString& text)
{
    m_watermarkText = text;
    Repaint();
}

void TROutliner::Repaint() { viewport()->update(); }

// --- headings -------------------------------------------------------------------------

void TROutliner::FillFromHeadings(const QStringList& lines)
{
    m_headingLines = lines;
    // Clear ends any batch in progress, so the batch starts after it.
    Clear();
    m_headingPositions.clear();
    // Reserved once: the entries point into this storage, which must not move.
    m_headingPositions.reserve(size_t(lines.size()));
    BeginUpdate();
    try {
        for (int i = 0; i < lines.size(); ++i) {
            const QString& line = lines.at(i);
            const qsizetype hash = line.indexOf(QLatin1Char('#'));
            if (hash < 1)
                continue;
            m_headingPositions.push_back(i);
            AddHeadingNode(line.left(hash), LeadingNumber(line.mid(hash + 1)),
                           &m_headingPositions.back());
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    Repaint();
}

bool TROutliner::AddHeading(const QString& text, int level)
{
    return AddHeadingNode(text, level, nullptr) > 0;
}

int TROutliner::AddHeadingNode(const QString& text, int level, void* data)
{
    if (text.isEmpty() || level < 0)
        return 0;
    TOutlineNode* const root = RootNode();
    TOutlineNode* parent = root;
    if (level != 0 && ItemCount() > 0) {
        TOutlineNode* last = root;
        while (last->HasItems())
            last = last->Child(last->ChildCount() - 1);
        const int lastLevel = last->Level();
        if (level == lastLevel) {
            parent = last->Parent();
        } else if (level > lastLevel) {
            parent = last;
        } else {
            parent = last->Parent();
            while (parent != root && parent->Level() >= level)
                parent = parent->Parent();
        }
    }
    // A document nesting its headings deeper than an outline can go keeps the deepest
    // ones on the last level, instead of refusing each of them with a message.
    while (parent != root && parent->Level() >= MaxLevel)
        parent = parent->Parent();
    return AddChildObject(parent == root ? 0 : parent->Index(), text, data);
}

bool TROutliner::GoToHeading(const QString& text)
{
    if (!m_viewer)
        return false;
    try {
        const QStringList list = m_viewer->HeadingList();
        for (int i = 0; i < list.size(); ++i) {
            const QString& entry = list.at(i);
            const qsizetype hash = entry.indexOf(QLatin1Char('#'));
            if ((hash < 0 ? entry : entry.left(hash)) == text) {
                m_viewer->ShowHeading(i);
                return true;
            }
        }
    } catch (...) {
        // The caller hears of a view that cannot give or show its headings by the result,
        // and chooses what to tell the user; the search itself changed nothing.
        return false;
    }
    return false;
}

int TROutliner::HeadingOfItem(int item)
{
    const auto* tag = static_cast<const int*>(Items(item)->Data());
    if (tag && !m_headingPositions.empty()) {
        const int* first = m_headingPositions.data();
        const int* end = first + m_headingPositions.size();
        if (!std::less<const int*>()(tag, first) && std::less<const int*>()(tag, end))
            return *tag;
    }
    return item - 1;
}

void TROutliner::DefaultClick()
{
    if (!m_viewer)
        return;
    try {
        const int item = SelectedItem();
        if (item > 0)
            m_viewer->ShowHeading(HeadingOfItem(item));
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

// --- the plus/minus picture under the mouse ----------------------------------------------

TOutlineNode* TROutliner::PlusMinusAt(const QPoint& pos)
{
    if (OutlineStyle() != osPlusMinusText || ItemCount() == 0)
        return nullptr;
    const int row = RowAt(pos.y());
    TOutlineNode* node = row >= 0 ? GetVisibleNode(row) : nullptr;
    // Only where PaintRow draws a picture: a node with items and a text.
    if (!node || !node->HasItems() || node->Text().isEmpty() ||
        (node->Expanded() ? PictureMinus() : PicturePlus()).isNull())
        return nullptr;
    const int textHeight = QFontMetrics(UsableFont(), viewport()).height();
    const TRowPlaces places =
        RowPlaces(RowRect(row), node->Level(), LeftGap(), HitGap(), textHeight, true);
    return places.box.ToQRect().contains(pos) ? node : nullptr;
}

void TROutliner::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos)
{
    // A press on the picture opens or closes its node and is no click on the row.
    if (button == Qt::LeftButton) {
        if (TOutlineNode* node = PlusMinusAt(pos)) {
            node->SetExpanded(!node->Expanded());
            return;
        }
    }
    TColdmereOutline::MouseDown(button, shift, pos);
}

// --- painting ---------------------------------------------------------------------------

QImage TROutliner::CreateSurface(TSurface, const QSize& size)
{
    if (size.isEmpty() || size.width() > TBackgroundPainter::MaxSurfaceSide ||
        size.height() > TBackgroundPainter::MaxSurfaceSide)
        return {};
    QImage surface(size, QImage::Format_RGB32);
    if (!surface.isNull())
        surface.fill(TColorRef::ToRgb(Color()));
    return surface;
}

QFont TROutliner::UsableFont() const
{
    QFont f = font();
    if (f.pointSizeF() <= 0 && f.pixelSize() <= 0)
        f.setPixelSize(1);
    return f;
}

void TROutliner::paintEvent(QPaintEvent* event)
{
    bool painted = false;
    {
        QPainter screen(viewport());
        painted = Compose(screen, event->rect());
    }
    if (painted) {
        m_failureReportPending = false;
    } else if (!m_failureReportPending) {
        // A modal message cannot run inside a paint; it follows right after it. One
        // message stands for a run of failed paints, or closing it would bring the next.
        m_failureReportPending = true;
        QMetaObject::invokeMethod(
            this, [this] { ReportPaintFailure(); }, Qt::QueuedConnection);
    }
}

QImage TROutliner::RenderToImage()
{
    // A control that was never shown has not laid out its viewport yet.
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(size(), QSize());
        QCoreApplication::sendEvent(this, &resize);
        setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    QImage image(viewport()->size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(TColorRef::ToRgb(Color()));
    bool painted = false;
    {
        QPainter painter(&image);
        painted = Compose(painter, image.rect());
    }
    if (painted) {
        m_failureReportPending = false;
    } else if (!m_failureReportPending) {
        m_failureReportPending = true;
        ReportPaintFailure();
    }
    return image;
}

void TROutliner::ReportPaintFailure()
{
    // The answer changes nothing: the user is only warned.
    TMessageBox::Show(QString::fromLatin1(SevereErrorText), QString::fromLatin1(SevereErrorCaption),
                      TMsgButtons::OkCancel, TMsgIcon::Warning);
}

bool TROutliner::Compose(QPainter& canvas, const QRect& clip)
{
    m_stats = TPaintStats();
    const QRect client(QPoint(0, 0), viewport()->size());
    if (client.isEmpty())
        return true;
    try {
        m_brush = TColorRef::ToRgb(Color());
        QImage offscreen = CreateSurface(TSurface::OffScreen, client.size());
        if (offscreen.isNull()) {
            m_stats.Direct = true;
            canvas.save();
            canvas.setClipRect(clip);
            PaintBody(canvas, nullptr, client);
            canvas.restore();
        } else {
            {
                QPainter target(&offscreen);
                PaintBody(target, &offscreen, client);
            }
            const QRect area = clip.intersected(client);
            canvas.drawImage(area.topLeft(), offscreen, area);
        }
    } catch (...) {
        // Whatever stopped the paint, the user is told after it (ReportPaintFailure).
        m_stats.Failed = true;
    }
    m_surface = nullptr;
    m_rowBitmap = QImage();
    return !m_stats.Failed;
}

void TROutliner::PaintBody(QPainter& target, QImage* surface, const QRect& client)
{
    m_surface = surface;
    target.setBrush(QColor(m_brush));
    target.setFont(UsableFont());

    QImage background = CreateSurface(TSurface::Background, client.size());
    if (background.isNull())
        m_backGroundStyle = rbsNone;

    if (ItemCount() == 0) {
        PaintEmpty(target, client);
    } else {
        target.fillRect(client, QColor(m_brush));
        if (!background.isNull()) {
            TBackgroundPainter::Paint(background, client, m_backGroundStyle, m_bitmap,
                                      m_gradientHiLight, m_gradientLoLight, QColor(m_brush));
            if (surface)
                TRasterOp::Copy(*surface, 0, 0, background, client, m_backgroundCopyMode, m_brush);
            else
                target.drawImage(0, 0, background);
            background = QImage();
        }
        m_rowBitmap = CreateSurface(TSurface::Row, QSize(client.width(), kRowBitmapHeight));
        if (m_rowBitmap.isNull())
            m_cell.DrawCellOutline = rcsNone;
        m_rowFont = UsableFont();
        m_textHeight = QFontMetrics(m_rowFont, target.device()).height();
        PaintVisibleRows(target);
    }
    if (m_controlOutline != kxNoDraw)
        TFramePainter::ControlFrame(target, client, m_controlOutline);
}

void TROutliner::PaintEmpty(QPainter& target, const QRect& client)
{
    m_stats.Empty = true;
    TBackgroundPainter::Paint(target, client, m_backGroundStyle, m_bitmap, m_gradientHiLight,
                              Color());
    if (!m_watermarkText.isEmpty())
        TWatermarkPainter::Paint(target, client.height(), m_watermarkText, Color());
}

void TROutliner::PaintRow(int row, const QRect& rect)
{
    QPainter* canvas = Canvas();
    TOutlineNode* node = canvas ? GetVisibleNode(row) : nullptr;
    if (!node)
        return;
    ++m_stats.Rows;

    const bool plusMinus = OutlineStyle() == osPlusMinusText;
    const TRowPlaces places =
        RowPlaces(rect, node->Level(), LeftGap(), HitGap(), m_textHeight, plusMinus);
    const TRect& cell = places.cell;
    const TRect& text = places.text;
    const TRect& box = places.box;
    const QString& caption = node->Text();
    const bool highlighted = row == Row() && !caption.isEmpty();

    if (m_cell.DrawCellOutline != rcsNone && !m_rowBitmap.isNull() && cell.Width() > 0 &&
        cell.Height() > 0) {
        const TCellPainter::TCellLook look =
            TCellPainter::Composed(m_cell, m_backgroundCellCopyMode);
        if (TCellPainter::PaintCell(*canvas, m_surface, m_rowBitmap, cell.ToQRect(), look,
                                    highlighted, m_brush))
            ++m_stats.Cells;
        else
            m_rowBitmap = QImage(); // no memory for a row: the other rows go without cells
    }

    if (caption.isEmpty() || (OutlineStyle() != osText && !plusMinus))
        return;
    const qint32 textColour = highlighted ? m_cell.TextHiLight : m_cell.TextNormalCol;
    const int copies = TTextPainter::Draw(*canvas, text.ToQRect(), caption, m_rowFont, textColour,
                                          m_cell.TextAsThreeD);
    if (copies > 0) {
        ++m_stats.Texts;
        m_stats.TextCopies += copies;
    }
    if (!plusMinus || !node->HasItems())
        return;
    const QImage& picture = node->Expanded() ? PictureMinus() : PicturePlus();
    if (picture.isNull())
        return;
    const bool stretch = Options().Contains(ooStretchBitmaps);
    if (m_surface)
        TPlusMinusPainter::Draw(*m_surface, box.ToQRect(), picture, stretch, m_brush,
                                TColorRef::ToRgb(textColour));
    else
        TPlusMinusPainter::Draw(*canvas, box.ToQRect(), picture, stretch);
    ++m_stats.Pictures;
}
