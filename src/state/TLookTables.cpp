#include "state/TLookTables.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TROutliner.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "platform/TBitmapFile.h"
#include "state/TStateFileCheck.h"
#include "state/TStateFont.h"
#include "state/TStateValue.h"
#include <QFont>

namespace {

template <class C>
using TRow = TLookProperty<C>;

template <class C>
TRow<C> Number(const char* key, std::function<qint32(const C&)> get,
               std::function<void(C&, qint32)> set, bool strict = false)
{
    TRow<C> row;
    row.Key = QString::fromLatin1(key);
    row.Strict = strict;
    row.Get = std::move(get);
    row.Set = std::move(set);
    return row;
}

template <class C>
TRow<C> Colour(const char* key, std::function<qint32(const C&)> get,
               std::function<void(C&, qint32)> set, bool strict)
{
    return Number<C>(key, std::move(get), std::move(set), strict);
}

template <class C>
TRow<C> Boolean(const char* key, std::function<qint32(const C&)> get,
                std::function<void(C&, qint32)> set)
{
    TRow<C> row = Number<C>(key, std::move(get), std::move(set));
    row.Kind = TLookKind::Boolean;
    return row;
}

template <class C>
TRow<C> Ordinal(const char* key, qint32 last, std::function<qint32(const C&)> get,
                std::function<void(C&, qint32)> set)
{
    TRow<C> row = Number<C>(key, std::move(get), std::move(set));
    row.Last = last;
    return row;
}

template <class C>
TRow<C> Size(const char* key, std::function<qint32(const C&)> get,
             std::function<void(C&, qint32)> set)
{
    TRow<C> row = Number<C>(key, std::move(get), std::move(set));
    row.Min = 1; // a row, bar or font of no size cannot be seen, nor a bar dragged back
    return row;
}

// A field of the row look shared by the outliners and the list view, set exactly: the
// single setters' side effects (a rounded cell turning the outline off, an underline
// taking the highlight colour) are for the editor only.
template <class C, class T>
TRow<C> Cell(const char* key, T TCellLook::*field, bool strict = false, qint32 last = -1)
{
    TRow<C> row = Number<C>(
        key, [field](const C& c) { return qint32(c.CellLook().*field); },
        [field](C& c, qint32 v) {
            TCellLook look = c.CellLook();
            look.*field = T(v);
            c.SetCellLook(look);
        },
        strict);
    row.Last = last;
    if constexpr (std::is_same_v<T, bool>)
        row.Kind = TLookKind::Boolean;
    return row;
}

// FontName, FontSize and FontColour in the section's order; a copy carries the whole
// font with the face.
template <class C>
void AddFont(TLookTables::TTable<C>& table)
{
    TRow<C> name;
    name.Key = QStringLiteral("FontName");
    name.Kind = TLookKind::Text;
    name.GetText = [](const C& c) { return c.font().family(); };
    name.SetText = [](C& c, const QString& text) {
        const QString face = TStateValue::FontFace(text);
        if (face.isEmpty())
            return;
        QFont font = c.font();
        font.setFamily(face);
        c.setFont(font);
    };
    name.Copy = [](C& t, const C& s) { t.setFont(s.font()); };
    table.push_back(name);

    TRow<C> size = Size<C>(
        "FontSize", [](const C& c) { return TStateFont::PointSize(c.font()); },
        [](C& c, qint32 v) {
            QFont font = c.font();
            font.setPointSize(v);
            c.setFont(font);
        });
    size.Copied = false;
    table.push_back(size);

    table.push_back(Colour<C>(
        "FontColour", [](const C& c) { return c.FontColour(); },
        [](C& c, qint32 v) { c.SetFontColour(v); }, true));
}

template <class C>
TRow<C> FontStyle()
{
    TRow<C> row = Number<C>(
        "FontStyle", [](const C& c) { return TLookTables::FontStyleOf(c.font()); },
        [](C& c, qint32 v) {
            QFont font = c.font();
            TLookTables::ApplyFontStyle(font, v);
            c.setFont(font);
        });
    row.Copied = false;
    return row;
}

// The background picture's file of the outliner or the panel page: loaded again when
// read, the stored BackGroundStyle kept whatever loading did; "Empty" brings back the
// picture the control was built with.
template <class C>
TRow<C> BitmapFile(std::function<const QImage&(const C&)> picture,
                   std::function<void(C&, const QImage&)> setPicture,
                   std::function<bool(C&, const QString&)> load)
{
    TRow<C> row;
    row.Key = QStringLiteral("BitmapFile");
    row.Kind = TLookKind::File;
    row.GetText = [](const C& c) { return c.BitmapFileName(); };
    row.SetText = [setPicture, load](C& c, const QString& path) {
        const TKXBackStyle stored = c.BackGroundStyle();
        if (path.isEmpty()) {
            setPicture(c, c.BuiltInBitmap());
            c.SetBitmapFileName(QString());
        } else if (TStateFileCheck::IsReadable(path)) {
            load(c, path);
        }
        c.SetBackGroundStyle(stored);
    };
    row.Copy = [picture, setPicture](C& t, const C& s) {
        setPicture(t, picture(s).copy()); // a picture of its own
        t.SetBitmapFileName(s.BitmapFileName());
        t.SetBuiltInBitmap(s.BuiltInBitmap());
    };
    return row;
}

TLookTables::TTable<TROutliner> MakeOutliner()
{
    using O = TROutliner;
    TLookTables::TTable<O> t;
    t.push_back(Number<O>(
        "BackgroundCellCopyMode", [](const O& o) { return qint32(o.BackgroundCellCopyMode()); },
        [](O& o, qint32 v) { o.SetBackgroundCellCopyMode(quint32(v)); }));
    t.push_back(Number<O>(
        "BackgroundCopyMode", [](const O& o) { return qint32(o.BackgroundCopyMode()); },
        [](O& o, qint32 v) { o.SetBackgroundCopyMode(quint32(v)); }));
    t.push_back(Ordinal<O>(
        "BackGroundStyle", rbsGradient, [](const O& o) { return qint32(o.BackGroundStyle()); },
        [](O& o, qint32 v) { o.SetBackGroundStyle(TKXBackStyle(v)); }));
    t.push_back(BitmapFile<O>([](const O& o) -> const QImage& { return o.Bitmap(); },
                              [](O& o, const QImage& i) { o.SetBitmap(i); },
                              [](O& o, const QString& p) { return o.LoadBackgroundBitmap(p); }));
    t.push_back(Cell<O>("CellHiLightColour", &TCellLook::CellHiLightColour, true));
    t.push_back(Cell<O>("CellOutlineWidth", &TCellLook::CellOutlineWidth));
    t.push_back(Cell<O>("CellPaint", &TCellLook::CellPaint));
    t.push_back(Cell<O>("CellPaintColour", &TCellLook::CellPaintColour, true));
    t.push_back(Colour<O>(
        "Color", [](const O& o) { return o.Color(); }, [](O& o, qint32 v) { o.SetColor(v); },
        true));
    t.push_back(Ordinal<O>(
        "ControlOutline", kxNoDraw, [](const O& o) { return qint32(o.ControlOutline()); },
        [](O& o, qint32 v) { o.SetControlOutline(TKXCStyle(v)); }));
    t.push_back(Cell<O>("DoCellOutline", &TCellLook::DoCellOutline, false, rlsUnderline));
    t.push_back(Cell<O>("DrawCellOutline", &TCellLook::DrawCellOutline, false, rcsRoundLeft));
    AddFont(t);
    t.push_back(Colour<O>(
        "GradientHiLight", [](const O& o) { return o.GradientHiLight(); },
        [](O& o, qint32 v) { o.SetGradientHiLight(v); }, true));
    t.push_back(Colour<O>(
        "GradientLoLight", [](const O& o) { return o.GradientLoLight(); },
        [](O& o, qint32 v) { o.SetGradientLoLight(v); }, true));
    t.push_back(Number<O>(
        "HitGap", [](const O& o) { return o.HitGap(); }, [](O& o, qint32 v) { o.SetHitGap(v); }));
    t.push_back(Size<O>(
        "ItemHeight", [](const O& o) { return o.ItemHeight(); },
        [](O& o, qint32 v) { o.SetItemHeight(v); }));
    t.push_back(Number<O>(
        "LeftGap", [](const O& o) { return o.LeftGap(); },
        [](O& o, qint32 v) { o.SetLeftGap(v); }));
    t.push_back(Cell<O>("TextAsThreeD", &TCellLook::TextAsThreeD));
    t.push_back(Cell<O>("TextHiLight", &TCellLook::TextHiLight, true));
    t.push_back(Cell<O>("TextNormalCol", &TCellLook::TextNormalCol, true));
    t.push_back(FontStyle<O>());
    return t;
}

TLookTables::TTable<TClrListView> MakeListView()
{
    using V = TClrListView;
    TLookTables::TTable<V> t;
    t.push_back(Cell<V>("CellHiLightColour", &TCellLook::CellHiLightColour));
    t.push_back(Cell<V>("CellOutlineWidth", &TCellLook::CellOutlineWidth));
    t.push_back(Cell<V>("CellPaint", &TCellLook::CellPaint));
    t.push_back(Cell<V>("CellPaintColour", &TCellLook::CellPaintColour));
    t.push_back(Colour<V>(
        "Color", [](const V& v) { return v.Color(); }, [](V& v, qint32 c) { v.SetColor(c); },
        false));
    t.push_back(Cell<V>("DoCellOutline", &TCellLook::DoCellOutline, false, rlsUnderline));
    t.push_back(Cell<V>("DrawCellOutline", &TCellLook::DrawCellOutline, false, rcsRoundLeft));
    AddFont(t);
    t.push_back(Number<V>(
        "HitGap", [](const V& v) { return v.HitGap(); }, [](V& v, qint32 g) { v.SetHitGap(g); }));
    t.push_back(Number<V>(
        "LeftGap", [](const V& v) { return v.LeftGap(); },
        [](V& v, qint32 g) { v.SetLeftGap(g); }));
    t.push_back(Cell<V>("TextAsThreeD", &TCellLook::TextAsThreeD));
    t.push_back(Cell<V>("TextHiLight", &TCellLook::TextHiLight));
    t.push_back(Cell<V>("TextNormalCol", &TCellLook::TextNormalCol));
    t.push_back(FontStyle<V>());
    return t;
}

TLookTables::TTable<TKXPanelPage> MakePanel()
{
    using P = TKXPanelPage;
    TLookTables::TTable<P> t;
    t.push_back(Number<P>(
        "AlignTopGap", [](const P& p) { return p.AlignTopGap(); },
        [](P& p, qint32 v) { p.SetAlignTopGap(v); }));
    t.push_back(Number<P>(
        "AlignLeftGap", [](const P& p) { return p.AlignLeftGap(); },
        [](P& p, qint32 v) { p.SetAlignLeftGap(v); }));
    t.push_back(Number<P>(
        "AlignRightGap", [](const P& p) { return p.AlignRightGap(); },
        [](P& p, qint32 v) { p.SetAlignRightGap(v); }));
    t.push_back(Number<P>(
        "AlignBottomGap", [](const P& p) { return p.AlignBottomGap(); },
        [](P& p, qint32 v) { p.SetAlignBottomGap(v); }));
    t.push_back(Ordinal<P>(
        "BackGroundStyle", rbsGradient, [](const P& p) { return qint32(p.BackGroundStyle()); },
        [](P& p, qint32 v) { p.SetBackGroundStyle(TKXBackStyle(v)); }));
    t.push_back(Number<P>(
        "Color", [](const P& p) { return p.Color(); }, [](P& p, qint32 v) { p.SetColor(v); }));
    t.push_back(Ordinal<P>(
        "ControlOutline", kxNoDraw, [](const P& p) { return qint32(p.ControlOutline()); },
        [](P& p, qint32 v) { p.SetControlOutline(TKXCStyle(v)); }));
    t.push_back(Number<P>(
        "GradientHiLight", [](const P& p) { return p.GradientHiLight(); },
        [](P& p, qint32 v) { p.StoreGradientHiLight(v); }));
    t.push_back(Number<P>(
        "GradientLoLight", [](const P& p) { return p.GradientLoLight(); },
        [](P& p, qint32 v) { p.SetGradientLoLight(v); }));
    t.push_back(Number<P>(
        "LeaveSpaceAtBottom", [](const P& p) { return p.LeaveSpaceAtBottom(); },
        [](P& p, qint32 v) { p.SetLeaveSpaceAtBottom(v); }));
    t.push_back(Number<P>(
        "LeaveSpaceAtTitle", [](const P& p) { return p.LeaveSpaceAtTitle(); },
        [](P& p, qint32 v) { p.SetLeaveSpaceAtTitle(v); }));
    t.push_back(BitmapFile<P>([](const P& p) -> const QImage& { return p.TileBitmap(); },
                              [](P& p, const QImage& i) { p.SetTileBitmap(i); },
                              [](P& p, const QString& f) { return p.LoadTileBitmap(f); }));
    return t;
}

TLookTables::TTable<TGraphicSplitBar> MakeSplitter(bool vertical)
{
    using S = TGraphicSplitBar;
    TLookTables::TTable<S> t;
    t.push_back(Number<S>(
        "BorderStyle", [](const S& s) { return s.BorderStyle(); },
        [](S& s, qint32 v) { s.SetBorderStyle(v); }));
    t.push_back(Number<S>(
        "Color", [](const S& s) { return s.Color(); }, [](S& s, qint32 v) { s.SetColor(v); }));
    t.push_back(Boolean<S>(
        "DrawEdge", [](const S& s) { return qint32(s.DrawEdge()); },
        [](S& s, qint32 v) { s.SetDrawEdge(v != 0); }));
    t.push_back(Ordinal<S>(
        "ShadowStyle", ssShadBottom, [](const S& s) { return qint32(s.ShadowStyle()); },
        [](S& s, qint32 v) { s.SetShadowStyle(TShadowStyle(v)); }));
    t.push_back(Number<S>(
        "ShThickness", [](const S& s) { return s.ShThickness(); },
        [](S& s, qint32 v) { s.SetShThickness(v); }));
    if (vertical)
        t.push_back(Size<S>(
            "Width", [](const S& s) { return s.Width(); }, [](S& s, qint32 v) { s.SetWidth(v); }));
    else
        t.push_back(Size<S>(
            "Height", [](const S& s) { return s.Height(); },
            [](S& s, qint32 v) { s.SetHeight(v); }));

    TRow<S> picture;
    picture.Key = QStringLiteral("PictureFile");
    picture.Kind = TLookKind::File;
    picture.AbsentIsEmpty = true;
    picture.GetText = [](const S& s) { return s.PictureFileName(); };
    picture.SetText = [](S& s, const QString& path) {
        if (path.isEmpty()) {
            s.StorePicture(QImage());
            s.SetPictureFileName(QString());
            return;
        }
        QImage loaded;
        if (TStateFileCheck::IsReadable(path) && TBitmapFile::Load(path, &loaded) &&
            !loaded.isNull()) {
            s.StorePicture(loaded);
            s.SetPictureFileName(path);
        }
    };
    picture.Copy = [](S& target, const S& source) {
        target.StorePicture(source.Picture().copy());
        target.SetPictureFileName(source.PictureFileName());
    };
    t.push_back(picture);
    return t;
}

} // namespace

const TLookTables::TTable<TROutliner>& TLookTables::Outliner()
{
    static const TTable<TROutliner> table = MakeOutliner();
    return table;
}

const TLookTables::TTable<TClrListView>& TLookTables::ListView()
{
    static const TTable<TClrListView> table = MakeListView();
    return table;
}

const TLookTables::TTable<TKXPanelPage>& TLookTables::Panel()
{
    static const TTable<TKXPanelPage> table = MakePanel();
    return table;
}

const TLookTables::TTable<TGraphicSplitBar>& TLookTables::Splitter(bool vertical)
{
    static const TTable<TGraphicSplitBar> verticalTable = MakeSplitter(true);
    static const TTable<TGraphicSplitBar> horizontalTable = MakeSplitter(false);
    return vertical ? verticalTable : horizontalTable;
}

qint32 TLookTables::FontStyleOf(const QFont& font)
{
    return (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
           (font.strikeOut() ? 8 : 0);
}

void TLookTables::ApplyFontStyle(QFont& font, qint32 style)
{
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
}
