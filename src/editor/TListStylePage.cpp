#include "TListStylePage.h"
#include "components/listview/TClrListView.h"
#include "components/panels/TGraphicSplitBar.h"
#include "editor/TEditorContext.h"
#include "editor/TEditorWidgets.h"
#include "editor/TLookField.h"
#include "editor/TNumberField.h"
#include "editor/TStyleTables.h"
#include "platform/TUpdateLock.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

TListStylePage::TListStylePage(TEditorContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("ListViewPage"));
    setWindowTitle(QStringLiteral("List View"));
    using W = TEditorWidgets;
    using TPage = TStyleTables::TPage;

    QGroupBox* colours = W::Group(this, "CLVColourGroup", QStringLiteral("Colours"),
                                  QStringLiteral("Set colours of control"));
    CLVColour = W::Button(colours, "CLVColour", QStringLiteral("Colour"), QString(),
                          [this] { CLVColourClick(); });
    CLVCPColour = W::Button(colours, "CLVCPColour", QStringLiteral("Cell Paint "), QString(),
                            [this] { CLVCPColourClick(); });
    CLVCHColour = W::Button(colours, "CLVCHColour", QStringLiteral("Cell HiLight "), QString(),
                            [this] { CLVCHColourClick(); });
    auto* colourBox = new QVBoxLayout(colours);
    colourBox->addWidget(CLVColour);
    colourBox->addWidget(CLVCPColour);
    colourBox->addWidget(CLVCHColour);

    QGroupBox* text =
        W::Group(this, "CLVTextGroup", QStringLiteral("Text"), QStringLiteral("Set text colours"));
    CLVNText = W::Button(text, "CLVNText", QStringLiteral("Normal Text"), QString(),
                         [this] { CLVNTextClick(); });
    CLVHText = W::Button(text, "CLVHText", QStringLiteral("Hilight Text"), QString(),
                         [this] { CLVHTextClick(); });
    auto* textBox = new QVBoxLayout(text);
    textBox->addWidget(CLVNText);
    textBox->addWidget(CLVHText);

    QGroupBox* style =
        W::Group(this, "CLVStyleGroup", QStringLiteral("Style"), QStringLiteral("Set text style"));
    CVThDText = W::Button(style, "CVThDText", QStringLiteral("Three D Text"), QString(),
                          [this] { CVThDTextClick(); });
    CVFont =
        W::Button(style, "CVFont", QStringLiteral("Font"), QString(), [this] { CVFontClick(); });
    auto* styleBox = new QVBoxLayout(style);
    styleBox->addWidget(CVThDText);
    styleBox->addWidget(CVFont);

    QGroupBox* cells = W::Group(this, "CLVCellGroup", QStringLiteral("Cells"));
    CLVSDStyle =
        W::Combo(cells, "CLVSDStyle", TStyleTables::CellDrawItems(TPage::DocumentList), QString(),
                 QStringLiteral("Set shape of cell fill"), [this] { CLVSDStyleChange(); });
    CVNCStyle =
        W::Combo(cells, "CVNCStyle", TStyleTables::CellOutlineItems(TPage::DocumentList), QString(),
                 QStringLiteral("Set shape of cell highlight"), [this] { CVNCStyleChange(); });
    CVNLGap = W::NumberEdit(cells, "CVNLGap", QStringLiteral("0"),
                            QStringLiteral("Set gap on left of cell"));
    CVNRGap = W::NumberEdit(cells, "CVNRGap", QStringLiteral("0"),
                            QStringLiteral("Set gap on right of cell"));
    Button7 = W::Button(cells, "Button7", QStringLiteral("Set Gaps"), QString(),
                        [this] { Button7Click(); });
    auto* cellGrid = new QGridLayout(cells);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Cell Draw Style")), 0, 0);
    cellGrid->addWidget(CLVSDStyle, 0, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Cell Outline")), 1, 0);
    cellGrid->addWidget(CVNCStyle, 1, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Left Gap")), 2, 0);
    cellGrid->addWidget(CVNLGap, 2, 1);
    cellGrid->addWidget(W::Label(cells, QStringLiteral("Right Gap")), 3, 0);
    cellGrid->addWidget(CVNRGap, 3, 1);
    cellGrid->addWidget(Button7, 4, 0, 1, 2);

    auto* grid = new QGridLayout(this);
    grid->addWidget(colours, 0, 0);
    grid->addWidget(text, 0, 1);
    grid->addWidget(style, 0, 2);
    grid->addWidget(cells, 1, 0, 1, 3);
    grid->setRowStretch(2, 1);
}

bool TListStylePage::Fill()
{
    const TClrListView* list = m_context.Targets().ListView;
    if (!list)
        return false;
    try {
        TEditorWidgets::Show(CLVSDStyle, TStyleTables::CellDrawIndex(list->DrawCellOutline()));
        TEditorWidgets::Show(CVNCStyle, TStyleTables::CellOutlineIndex(list->DoCellOutline()));
        TLookField::Show(CVNLGap, *list, "LeftGap");
        TLookField::Show(CVNRGap, *list, "HitGap");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TListStylePage::Change(const std::function<void(TClrListView&)>& change)
{
    TClrListView* list = m_context.Targets().ListView;
    if (!list)
        return;
    change(*list);
    list->Repaint();
    // The fields show what is in force: a value clamped, a style another one turned off.
    Fill();
}

void TListStylePage::Colour(const std::function<qint32(const TClrListView&)>& get,
                            const std::function<void(TClrListView&, qint32)>& set)
{
    const TClrListView* list = m_context.Targets().ListView;
    if (!list)
        return;
    // The list's colour buttons open with the control's own colour.
    const std::optional<qint32> colour = m_context.Dialogs().ExecuteColour(get(*list));
    if (colour)
        Change([&](TClrListView& l) { set(l, *colour); });
}

void TListStylePage::CLVColourClick()
{
    Colour([](const TClrListView& l) { return l.Color(); },
           [this](TClrListView& l, qint32 c) {
               l.SetColor(c);
               // A splitter drawn with a shadow blends into the list, so it takes the
               // list's colour along; a plain coloured splitter keeps its own.
               TGraphicSplitBar* bar = m_context.Targets().HorzSplitter;
               if (bar && bar->ShadowStyle() != ssNoShad)
                   bar->SetColor(c);
           });
}

void TListStylePage::CLVCPColourClick()
{
    Colour([](const TClrListView& l) { return l.CellPaintColour(); },
           [](TClrListView& l, qint32 c) { l.SetCellPaintColour(c); });
}

void TListStylePage::CLVCHColourClick()
{
    Colour([](const TClrListView& l) { return l.CellHiLightColour(); },
           [](TClrListView& l, qint32 c) { l.SetCellHiLightColour(c); });
}

void TListStylePage::CLVNTextClick()
{
    Colour([](const TClrListView& l) { return l.TextNormalCol(); },
           [](TClrListView& l, qint32 c) { l.SetTextNormalCol(c); });
}

void TListStylePage::CLVHTextClick()
{
    Colour([](const TClrListView& l) { return l.TextHiLight(); },
           [](TClrListView& l, qint32 c) { l.SetTextHiLight(c); });
}

void TListStylePage::CVThDTextClick()
{
    Change([](TClrListView& l) { l.SetTextAsThreeD(!l.TextAsThreeD()); });
}

void TListStylePage::CVFontClick()
{
    TClrListView* list = m_context.Targets().ListView;
    if (!list)
        return;
    const std::optional<TEditorDialogs::TFontChoice> chosen = m_context.Dialogs().ExecuteFont(
        TEditorDialogs::TFontChoice{list->font(), list->FontColour()});
    if (!chosen)
        return;
    const TUpdateLock lock(list);
    list->setFont(chosen->Font);
    list->SetFontColour(chosen->Colour);
    // Passing through the list style makes the rows lay out again for the new font.
    list->SetViewStyle(vsList);
    list->SetViewStyle(vsReport);
    list->Repaint();
}

void TListStylePage::CLVSDStyleChange()
{
    const int i = TEditorWidgets::MatchingItem(CLVSDStyle);
    Change([i](TClrListView& l) {
        if (i >= 0)
            l.SetDrawCellOutline(TStyleTables::CellDrawValue(i));
    });
}

void TListStylePage::CVNCStyleChange()
{
    const int i = TEditorWidgets::MatchingItem(CVNCStyle);
    Change([i](TClrListView& l) {
        if (i >= 0)
            l.SetDoCellOutline(TStyleTables::CellOutlineValue(i));
    });
}

void TListStylePage::Button7Click()
{
    Change([this](TClrListView& l) {
        TLookField::Apply(CVNLGap, l, "LeftGap");
        TLookField::Apply(CVNRGap, l, "HitGap");
    });
}
