#include "TOutlineStylePage.h"
#include "components/outline/TROutliner.h"
#include "editor/TBitmapChoice.h"
#include "editor/TEditorContext.h"
#include "editor/TEditorWidgets.h"
#include "editor/TLookField.h"
#include "editor/TNumberField.h"
#include "editor/TStyleTables.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <exception>

const QString TOutlineStylePage::StitchingText =
    QStringLiteral("Some modes may\ncause \"stitching\" to\nappear in\nthe cells. The "
                   "only\nsolution is to try\nanother mode.");

namespace {

using TPage = TStyleTables::TPage;

// The font size in points, also for a font given in pixels.
int PointSize(const QFont& font, const QWidget* widget)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pointSizeF() > 0)
        return qRound(font.pointSizeF());
    const int dpi = widget ? widget->logicalDpiY() : 96;
    return font.pixelSize() > 0 ? qRound(font.pixelSize() * 72.0 / (dpi > 0 ? dpi : 96)) : 0;
}

} // namespace

TOutlineStylePage::TOutlineStylePage(TEditorContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("ControlSheet"));
    setWindowTitle(QStringLiteral("Outline Style"));
    using W = TEditorWidgets;

    QGroupBox* colours = W::Group(this, "OLColourGroup", QStringLiteral("Colours"),
                                  QStringLiteral("Set colours for control"));
    Button25 = W::Button(colours, "Button25", QStringLiteral("Foreground"), QString(),
                         [this] { Button25Click(); });
    Button17 = W::Button(colours, "Button17", QStringLiteral("Normal Cells"), QString(),
                         [this] { Button17Click(); });
    Button18 = W::Button(colours, "Button18", QStringLiteral("HiLight Cell"), QString(),
                         [this] { Button18Click(); });
    auto* colourBox = new QVBoxLayout(colours);
    colourBox->addWidget(Button25);
    colourBox->addWidget(Button17);
    colourBox->addWidget(Button18);

    QGroupBox* text =
        W::Group(this, "OLTextGroup", QStringLiteral("Text"), QStringLiteral("Set text colours"));
    Button21 = W::Button(text, "Button21", QStringLiteral("Normal Text"), QString(),
                         [this] { Button21Click(); });
    Button22 = W::Button(text, "Button22", QStringLiteral("HilightText"), QString(),
                         [this] { Button22Click(); });
    auto* textBox = new QVBoxLayout(text);
    textBox->addWidget(Button21);
    textBox->addWidget(Button22);

    QGroupBox* font = W::Group(this, "OLFontGroup", QStringLiteral("Cells"),
                               QStringLiteral("Set font and height of cell options"));
    Button23 = W::Button(font, "Button23", QStringLiteral("Three D Text"), QString(),
                         [this] { Button23Click(); });
    Button24 =
        W::Button(font, "Button24", QStringLiteral("Font"), QString(), [this] { Button24Click(); });
    Edit9 = W::NumberEdit(font, "Edit9", QStringLiteral("20"));
    // Every change of the field is taken over at once, also when the pages are filled.
    connect(Edit9, &QLineEdit::textChanged, this, [this] { Edit9Change(); });
    connect(Edit9, &QLineEdit::editingFinished, this, [this] { Fill(); });
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(Button23, 0, 0, 1, 2);
    fontGrid->addWidget(Button24, 1, 0, 1, 2);
    fontGrid->addWidget(W::Label(font, QStringLiteral("Cell Height")), 2, 0);
    fontGrid->addWidget(Edit9, 2, 1);

    QGroupBox* gaps = W::Group(this, "OLGapsGroup", QStringLiteral("Gaps"),
                               QStringLiteral("Set gaps either side of cells"));
    Edit7 = W::NumberEdit(gaps, "Edit7", QStringLiteral("10"));
    Edit8 = W::NumberEdit(gaps, "Edit8", QStringLiteral("10"));
    Button19 =
        W::Button(gaps, "Button19", QStringLiteral("Gaps"), QString(), [this] { Button19Click(); });
    auto* gapRow = new QHBoxLayout(gaps);
    gapRow->addWidget(Edit7);
    gapRow->addWidget(Edit8);
    gapRow->addWidget(Button19);

    QGroupBox* cells = W::Group(this, "OLStyleGroup", QStringLiteral("Styles"));
    OLCDSCombo =
        W::Combo(cells, "OLCDSCombo", TStyleTables::CellDrawItems(TPage::Outline), QString(),
                 QStringLiteral("Set the shape of the cell fill"), [this] { OLCDSComboChange(); });
    OLCOCombo = W::Combo(cells, "OLCOCombo", TStyleTables::CellOutlineItems(TPage::Outline),
                         QString(), QStringLiteral("Set the highlight shape for cells"),
                         [this] { OLCOComboChange(); });
    OLMMCombo = W::Combo(cells, "OLMMCombo", TStyleTables::MergeBackgroundItems(),
                         QStringLiteral("Merge - 1"),
                         QStringLiteral("Combine foreground colour and background colours"),
                         [this] { OLMMComboChange(); });
    OLCMCombo = W::Combo(
        cells, "OLCMCombo", TStyleTables::CellBackgroundItems(), QStringLiteral("Merge - 1"),
        QStringLiteral("Merge cell and background colours"), [this] { OLCMComboChange(); });
    OLBSCombo = W::Combo(cells, "OLBSCombo", TStyleTables::BackStyleItems(), QString(),
                         QStringLiteral("Choose how to draw background fill"),
                         [this] { OLBSComboChange(); });
    StitchingNote = new QLabel(StitchingText, cells);
    StitchingNote->setObjectName(QStringLiteral("StitchingNote"));
    StitchingNote->setAlignment(Qt::AlignCenter);
    StitchingNote->setFrameShape(QFrame::StyledPanel);
    auto* cellGrid = new QGridLayout(cells);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Cell Draw Style")), 0, 0);
    cellGrid->addWidget(OLCDSCombo, 0, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Cell Outline")), 1, 0);
    cellGrid->addWidget(OLCOCombo, 1, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Merge Background")), 2, 0);
    cellGrid->addWidget(OLMMCombo, 2, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Cell / Background")), 3, 0);
    cellGrid->addWidget(OLCMCombo, 3, 1);
    cellGrid->addWidget(StitchingNote, 2, 2, 2, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Background Style")), 4, 0);
    cellGrid->addWidget(OLBSCombo, 4, 1);

    QGroupBox* background = W::Group(this, "OLGradientGroup", QStringLiteral("Gradient Colours"),
                                     QStringLiteral("Set backround colours or tiling bitmap"));
    OLBitmapButton = W::Button(background, "OLBitmapButton", QStringLiteral("Bitmap"), QString(),
                               [this] { OLBitmapButtonClick(); });
    OLHiLightButton = W::Button(background, "OLHiLightButton", QStringLiteral("Hilight"), QString(),
                                [this] { OLHiLightButtonClick(); });
    OLLoLightButton = W::Button(background, "OLLoLightButton", QStringLiteral("LoLight"), QString(),
                                [this] { OLLoLightButtonClick(); });
    auto* backRow = new QHBoxLayout(background);
    backRow->addWidget(OLBitmapButton);
    backRow->addWidget(OLHiLightButton);
    backRow->addWidget(OLLoLightButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(colours, 0, 0);
    grid->addWidget(text, 0, 1);
    grid->addWidget(font, 0, 2);
    grid->addWidget(gaps, 1, 0, 1, 3);
    grid->addWidget(cells, 2, 0, 1, 3);
    grid->addWidget(background, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);
}

bool TOutlineStylePage::Fill()
{
    TROutliner* o = m_context.Targets().Outline;
    if (!o)
        return false;
    const QScopedValueRollback<bool> filling(m_filling, true);
    try {
        TEditorWidgets::Show(OLBSCombo, TStyleTables::BackStyleIndex(o->BackGroundStyle()));
        TLookField::Show(Edit7, *o, "LeftGap");
        TLookField::Show(Edit8, *o, "HitGap");
        TEditorWidgets::Show(OLCDSCombo, TStyleTables::CellDrawIndex(o->DrawCellOutline()));
        TEditorWidgets::Show(OLCOCombo, TStyleTables::CellOutlineIndex(o->DoCellOutline()));
        // A code the table does not know leaves the combo as it is.
        if (const int i = TStyleTables::CopyModeIndex(o->BackgroundCopyMode()); i >= 0)
            TEditorWidgets::Show(OLMMCombo, i);
        if (const int i = TStyleTables::CopyModeIndex(o->BackgroundCellCopyMode()); i >= 0)
            TEditorWidgets::Show(OLCMCombo, i);
        if (!m_typingHeight)
            TLookField::Show(Edit9, *o, "ItemHeight");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TOutlineStylePage::Change(const std::function<void(TROutliner&)>& change)
{
    TROutliner* o = m_context.Targets().Outline;
    if (!o)
        return;
    change(*o);
    o->Repaint();
    // The fields show what is in force: a value clamped, a style another one turned off.
    if (!m_filling)
        Fill();
}

void TOutlineStylePage::Colour(const std::function<qint32(const TROutliner&)>& get,
                               const std::function<void(TROutliner&, qint32)>& set)
{
    const TROutliner* outline = m_context.Targets().Outline;
    if (!outline)
        return;
    // The dialog opens with the colour being changed.
    const std::optional<qint32> colour = m_context.Dialogs().ExecuteColour(get(*outline));
    if (colour)
        Change([&](TROutliner& o) { set(o, *colour); });
}

void TOutlineStylePage::Button25Click()
{
    Colour([](const TROutliner& o) { return o.Color(); },
           [](TROutliner& o, qint32 c) { o.SetColor(c); });
}
void TOutlineStylePage::Button17Click()
{
    Colour([](const TROutliner& o) { return o.CellPaintColour(); },
           [](TROutliner& o, qint32 c) { o.SetCellPaintColour(c); });
}
void TOutlineStylePage::Button18Click()
{
    Colour([](const TROutliner& o) { return o.CellHiLightColour(); },
           [](TROutliner& o, qint32 c) { o.SetCellHiLightColour(c); });
}
void TOutlineStylePage::Button21Click()
{
    Colour([](const TROutliner& o) { return o.TextNormalCol(); },
           [](TROutliner& o, qint32 c) { o.SetTextNormalCol(c); });
}
void TOutlineStylePage::Button22Click()
{
    Colour([](const TROutliner& o) { return o.TextHiLight(); },
           [](TROutliner& o, qint32 c) { o.SetTextHiLight(c); });
}

void TOutlineStylePage::Button23Click()
{
    Change([](TROutliner& o) { o.SetTextAsThreeD(!o.TextAsThreeD()); });
}

void TOutlineStylePage::Button24Click()
{
    if (!m_context.Targets().Outline)
        return;
    const TROutliner& outline = *m_context.Targets().Outline;
    const std::optional<TEditorDialogs::TFontChoice> chosen = m_context.Dialogs().ExecuteFont(
        TEditorDialogs::TFontChoice{outline.font(), outline.FontColour()});
    if (!chosen)
        return;
    // The rows grow with the font.
    Change([&](TROutliner& o) {
        o.setFont(chosen->Font);
        o.SetFontColour(chosen->Colour);
        o.SetItemHeight(PointSize(chosen->Font, &o) * 3);
    });
}

void TOutlineStylePage::Edit9Change()
{
    if (m_filling)
        return;
    const QScopedValueRollback<bool> typing(m_typingHeight, true);
    Change([this](TROutliner& o) { TLookField::Apply(Edit9, o, "ItemHeight"); });
}

void TOutlineStylePage::Button19Click()
{
    Change([this](TROutliner& o) {
        TLookField::Apply(Edit7, o, "LeftGap");
        TLookField::Apply(Edit8, o, "HitGap");
    });
}

// A typed text that names no item sets nothing, but the outline still repaints.
void TOutlineStylePage::OLCDSComboChange()
{
    const int i = TEditorWidgets::MatchingItem(OLCDSCombo);
    Change([i](TROutliner& o) {
        if (i >= 0)
            o.SetDrawCellOutline(TStyleTables::CellDrawValue(i));
    });
}

void TOutlineStylePage::OLCOComboChange()
{
    const int i = TEditorWidgets::MatchingItem(OLCOCombo);
    Change([i](TROutliner& o) {
        if (i >= 0)
            o.SetDoCellOutline(TStyleTables::CellOutlineValue(i));
    });
}

void TOutlineStylePage::OLMMComboChange()
{
    const int i = TEditorWidgets::MatchingItem(OLMMCombo);
    Change([i](TROutliner& o) {
        if (i >= 0)
            o.SetBackgroundCopyMode(TStyleTables::CopyModeValue(i));
    });
}

void TOutlineStylePage::OLCMComboChange()
{
    const int i = TEditorWidgets::MatchingItem(OLCMCombo);
    Change([i](TROutliner& o) {
        if (i >= 0)
            o.SetBackgroundCellCopyMode(TStyleTables::CopyModeValue(i));
    });
}

void TOutlineStylePage::OLBSComboChange()
{
    // "Bitmap" only sets the style; the picture comes from the "Bitmap" button.
    const int i = TEditorWidgets::MatchingItem(OLBSCombo);
    Change([i](TROutliner& o) {
        if (i >= 0)
            o.SetBackGroundStyle(TStyleTables::BackStyleValue(i));
    });
}

void TOutlineStylePage::OLBitmapButtonClick()
{
    if (!m_context.Targets().Outline)
        return;
    const std::optional<QString> file = TBitmapChoice::Choose(m_context.Dialogs());
    if (!file)
        return;
    // A file that cannot be loaded leaves the old bitmap in place; the style still changes.
    Change([&](TROutliner& o) {
        o.LoadBackgroundBitmap(*file);
        o.SetBackGroundStyle(rbsBitmap);
    });
}

void TOutlineStylePage::OLHiLightButtonClick()
{
    Colour([](const TROutliner& o) { return o.GradientHiLight(); },
           [](TROutliner& o, qint32 c) {
               o.SetGradientHiLight(c);
               o.SetBackGroundStyle(rbsGradient);
           });
}

void TOutlineStylePage::OLLoLightButtonClick()
{
    Colour([](const TROutliner& o) { return o.GradientLoLight(); },
           [](TROutliner& o, qint32 c) {
               o.SetGradientLoLight(c);
               o.SetBackGroundStyle(rbsGradient);
           });
}
