#include "TSplitterStylePage.h"
#include "components/panels/TGraphicSplitBar.h"
#include "editor/TEditorContext.h"
#include "editor/TEditorWidgets.h"
#include "editor/TLookField.h"
#include "editor/TNumberField.h"
#include "editor/TStyleTables.h"
#include "platform/TBitmapFile.h"
#include "platform/TMessageBox.h"
#include "platform/TPath.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

const QString TSplitterStylePage::PictureErrorText =
    QStringLiteral("Could not load a picture from ");
const QString TSplitterStylePage::PictureErrorCaption = QStringLiteral("Error");

TSplitterStylePage::TSplitterStylePage(TEditorContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("ReadOther"));
    setWindowTitle(QStringLiteral("Splitters"));
    auto* row = new QHBoxLayout(this);
    row->addWidget(Column(true), 0, Qt::AlignTop);
    row->addWidget(Column(false), 0, Qt::AlignTop);
}

QWidget* TSplitterStylePage::Column(bool vertical)
{
    using W = TEditorWidgets;
    QGroupBox* g =
        vertical ? W::Group(this, "VerticalGroup", QStringLiteral("Vertical Splitter Bar"))
                 : W::Group(this, "HorizontalGroup", QStringLiteral("Horizontal Splitter Bar"));
    QLineEdit* size =
        W::NumberEdit(g, vertical ? "SplitterWidth" : "HSplitWidth", QStringLiteral("10"),
                      vertical ? QStringLiteral("Set width of splitter")
                               : QStringLiteral("Set height of splitter"));
    QLineEdit* shadow =
        W::NumberEdit(g, vertical ? "SplitShadThickness" : "HSplitShThick", QStringLiteral("10"),
                      vertical ? QStringLiteral("Set width of shadow(s)")
                               : QStringLiteral("Set height of shadow(s)"));
    QPushButton* set =
        W::Button(g, vertical ? "VSB_Button" : "HSB_Button", QStringLiteral("Set"), QString(),
                  [this, vertical] { vertical ? VSB_ButtonClick() : HSB_ButtonClick(); });
    QComboBox* combo =
        W::Combo(g, vertical ? "SplitterCombo" : "HSplitterCombo", TStyleTables::ShadowItems(),
                 QStringLiteral("No Shadow"), QStringLiteral("Set a type of shadow"),
                 [this, vertical] { vertical ? SplitterComboChange() : HSplitterComboChange(); });
    QPushButton* colour =
        W::Button(g, vertical ? "SplitterColour" : "HSplitColor", QStringLiteral("Colour"),
                  QStringLiteral("Choose a colour instead of a shadow style"),
                  [this, vertical] { vertical ? SplitterColourClick() : HSplitColorClick(); });
    QPushButton* picture =
        W::Button(g, vertical ? "SplitterPicture" : "HSplitPicture", QStringLiteral("Picture"),
                  QStringLiteral("Choose a bitmap instead of a shadow style"),
                  [this, vertical] { vertical ? SplitterPictureClick() : HSplitPictureClick(); });

    auto* grid = new QGridLayout(g);
    grid->addWidget(W::Label(g, vertical ? QStringLiteral("Width") : QStringLiteral("Height")), 0,
                    0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(W::Label(g, QStringLiteral("Shadow")), 1, 0);
    grid->addWidget(shadow, 1, 1);
    grid->addWidget(set, 2, 0, 1, 2);
    grid->addWidget(W::Label(g, QStringLiteral("Shadow Style")), 3, 0, 1, 2);
    grid->addWidget(combo, 4, 0, 1, 2);
    grid->addWidget(colour, 5, 0, 1, 2);
    grid->addWidget(picture, 6, 0, 1, 2);

    if (vertical) {
        SplitterWidth = size;
        SplitShadThickness = shadow;
        VSB_Button = set;
        SplitterCombo = combo;
        SplitterColour = colour;
        SplitterPicture = picture;
    } else {
        HSplitWidth = size;
        HSplitShThick = shadow;
        HSB_Button = set;
        HSplitterCombo = combo;
        HSplitColor = colour;
        HSplitPicture = picture;
    }
    return g;
}

bool TSplitterStylePage::Fill()
{
    const TGraphicSplitBar* v = m_context.Targets().VertSplitter;
    const TGraphicSplitBar* h = m_context.Targets().HorzSplitter;
    if (!v || !h)
        return false;
    try {
        TLookField::Show(SplitterWidth, *v, "Width");
        TLookField::Show(SplitShadThickness, *v, "ShThickness");
        TEditorWidgets::Show(SplitterCombo, TStyleTables::ShadowIndex(v->ShadowStyle()));
        TLookField::Show(HSplitWidth, *h, "Height");
        TLookField::Show(HSplitShThick, *h, "ShThickness");
        TEditorWidgets::Show(HSplitterCombo, TStyleTables::ShadowIndex(h->ShadowStyle()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TSplitterStylePage::VSB_ButtonClick()
{
    TGraphicSplitBar* bar = m_context.Targets().VertSplitter;
    if (!bar)
        return;
    // As a state file would: a bar of no width could never be dragged back.
    TLookField::Apply(SplitterWidth, *bar, "Width");
    TLookField::Apply(SplitShadThickness, *bar, "ShThickness");
    bar->update();
    Fill();
}

void TSplitterStylePage::HSB_ButtonClick()
{
    TGraphicSplitBar* bar = m_context.Targets().HorzSplitter;
    if (!bar)
        return;
    TLookField::Apply(HSplitWidth, *bar, "Height");
    TLookField::Apply(HSplitShThick, *bar, "ShThickness");
    bar->update();
    Fill();
}

void TSplitterStylePage::ComboChange(TGraphicSplitBar* bar, QComboBox* combo)
{
    if (!bar)
        return;
    const int i = TEditorWidgets::MatchingItem(combo);
    if (i >= 0)
        bar->SetShadowStyle(TStyleTables::ShadowValue(i));
    bar->update();
}

void TSplitterStylePage::SplitterComboChange()
{
    ComboChange(m_context.Targets().VertSplitter, SplitterCombo);
}
void TSplitterStylePage::HSplitterComboChange()
{
    ComboChange(m_context.Targets().HorzSplitter, HSplitterCombo);
}

void TSplitterStylePage::Colour(TGraphicSplitBar* bar, QComboBox* combo)
{
    if (!bar)
        return;
    const std::optional<qint32> colour = m_context.Dialogs().ExecuteColour(bar->Color());
    if (!colour)
        return;
    bar->SetColor(*colour);
    bar->SetShadowStyle(ssNoShad);
    TEditorWidgets::Select(combo, TStyleTables::ShadowIndex(ssNoShad));
    bar->update();
}

void TSplitterStylePage::SplitterColourClick()
{
    Colour(m_context.Targets().VertSplitter, SplitterCombo);
}
void TSplitterStylePage::HSplitColorClick()
{
    Colour(m_context.Targets().HorzSplitter, HSplitterCombo);
}

void TSplitterStylePage::Picture(TGraphicSplitBar* bar, QComboBox* combo)
{
    if (!bar)
        return;
    // The open dialog is used as the last page left it.
    const std::optional<QString> file = m_context.Dialogs().ExecuteOpen();
    if (!file)
        return;
    QImage picture;
    if (!TBitmapFile::Load(*file, &picture) || picture.isNull()) {
        TMessageBox::Show(PictureErrorText + TPath::ExtractFileName(*file), PictureErrorCaption);
        return;
    }
    bar->SetPicture(picture);
    bar->SetPictureFileName(*file);
    bar->SetShadowStyle(ssNoShad);
    TEditorWidgets::Select(combo, TStyleTables::ShadowIndex(ssNoShad));
    bar->update();
}

void TSplitterStylePage::SplitterPictureClick()
{
    Picture(m_context.Targets().VertSplitter, SplitterCombo);
}
void TSplitterStylePage::HSplitPictureClick()
{
    Picture(m_context.Targets().HorzSplitter, HSplitterCombo);
}
