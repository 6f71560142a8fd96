#include "TPanelStylePage.h"
#include "components/panels/TKXPanelPage.h"
#include "editor/TBitmapChoice.h"
#include "editor/TEditorContext.h"
#include "editor/TEditorWidgets.h"
#include "editor/TLookField.h"
#include "editor/TNumberField.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

TPanelStylePage::TPanelStylePage(TEditorContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("PanelSheet"));
    setWindowTitle(QStringLiteral("Panel Style"));

    QGroupBox* colours =
        TEditorWidgets::Group(this, "GradientGroup", QStringLiteral("Gradient Colours"));
    Button2 =
        TEditorWidgets::Button(colours, "Button2", QStringLiteral("Highlight"),
                               QStringLiteral("Left Gradient Colour"), [this] { Button2Click(); });
    Button4 =
        TEditorWidgets::Button(colours, "Button4", QStringLiteral("LoLight"),
                               QStringLiteral("Right Gradient Colour"), [this] { Button4Click(); });
    auto* colourRow = new QHBoxLayout(colours);
    colourRow->addWidget(Button2);
    colourRow->addWidget(Button4);

    QGroupBox* bitmap =
        TEditorWidgets::Group(this, "BitmapGroup", QStringLiteral("Bitmap Selection"));
    Button1 = TEditorWidgets::Button(bitmap, "Button1", QStringLiteral("BitmapStyle"),
                                     QStringLiteral("Tile a bitmap in background"),
                                     [this] { Button1Click(); });
    (new QHBoxLayout(bitmap))->addWidget(Button1);

    QGroupBox* gaps =
        TEditorWidgets::Group(this, "GapsGroup", QStringLiteral("Gaps"),
                              QStringLiteral("Set gaps around the edges of panel, expect a pause"));
    Edit2 = TEditorWidgets::NumberEdit(gaps, "Edit2", QStringLiteral("20"));
    Edit1 = TEditorWidgets::NumberEdit(gaps, "Edit1", QStringLiteral("20"));
    Edit3 = TEditorWidgets::NumberEdit(gaps, "Edit3", QStringLiteral("20"));
    Edit4 = TEditorWidgets::NumberEdit(gaps, "Edit4", QStringLiteral("20"));
    Button3 = TEditorWidgets::Button(gaps, "Button3", QStringLiteral("Gaps"), QString(),
                                     [this] { Button3Click(); });
    auto* grid = new QGridLayout(gaps);
    grid->addWidget(TEditorWidgets::Label(gaps, QStringLiteral("Left")), 0, 0);
    grid->addWidget(Edit2, 0, 1);
    grid->addWidget(TEditorWidgets::Label(gaps, QStringLiteral("Top")), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(TEditorWidgets::Label(gaps, QStringLiteral("Right")), 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(TEditorWidgets::Label(gaps, QStringLiteral("Bottom")), 3, 0);
    grid->addWidget(Edit4, 3, 1);
    grid->addWidget(Button3, 4, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colours);
    layout->addWidget(bitmap);
    layout->addWidget(gaps);
    layout->addStretch();
}

bool TPanelStylePage::Fill() { return FillGaps(); }

bool TPanelStylePage::FillGaps()
{
    const TKXPanelPage* panel = m_context.Targets().Panel;
    if (!panel)
        return false;
    try {
        TLookField::Show(Edit1, *panel, "AlignTopGap");
        TLookField::Show(Edit2, *panel, "AlignLeftGap");
        TLookField::Show(Edit3, *panel, "AlignRightGap");
        TLookField::Show(Edit4, *panel, "AlignBottomGap");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TPanelStylePage::Gradient(bool hiLight)
{
    TKXPanelPage* panel = m_context.Targets().Panel;
    if (!panel)
        return;
    // The dialog opens with the colour being changed.
    const std::optional<qint32> colour = m_context.Dialogs().ExecuteColour(
        hiLight ? panel->GradientHiLight() : panel->GradientLoLight());
    if (!colour)
        return;
    if (hiLight)
        panel->SetGradientHiLight(*colour);
    else
        panel->SetGradientLoLight(*colour);
    panel->SetBackGroundStyle(rbsGradient);
    panel->update();
}

void TPanelStylePage::Button2Click() { Gradient(true); }

void TPanelStylePage::Button4Click() { Gradient(false); }

void TPanelStylePage::Button1Click()
{
    TKXPanelPage* panel = m_context.Targets().Panel;
    if (!panel)
        return;
    const std::optional<QString> file = TBitmapChoice::Choose(m_context.Dialogs());
    if (!file)
        return;
    // A file that cannot be loaded leaves the old tile in place; the style still changes.
    panel->LoadTileBitmap(*file);
    panel->SetBackGroundStyle(rbsBitmap);
    panel->update();
}

void TPanelStylePage::Button3Click()
{
    TKXPanelPage* panel = m_context.Targets().Panel;
    if (!panel)
        return;
    TLookField::Apply(Edit1, *panel, "AlignTopGap");
    TLookField::Apply(Edit2, *panel, "AlignLeftGap");
    TLookField::Apply(Edit3, *panel, "AlignRightGap");
    TLookField::Apply(Edit4, *panel, "AlignBottomGap");
    panel->update();
    // The fields show the gaps in force, as the live page will take them.
    FillGaps();
}
