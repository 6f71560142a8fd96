// The four style pages acting on the previews: combo tables, number fields, colour, font
// and bitmap buttons, and filling the fields.
#include "EditorTestSupport.h"
#include "common/TestSupport.h"
#include "components/outline/TMDIOutline.h"
#include "editor/TEditorContext.h"
#include "editor/TListStylePage.h"
#include "editor/TOutlineStylePage.h"
#include "editor/TPanelStylePage.h"
#include "editor/TSplitterStylePage.h"
#include "platform/TPath.h"
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace editortest;

namespace {

// The pages with their own preview controls, as the editor wires them.
class StylePagesTest : public ::testing::Test
{
protected:
    StylePagesTest()
    {
        auto fake = std::make_unique<TFakeDialogs>();
        dialogs = fake.get();
        context = std::make_unique<TEditorContext>(&host, std::move(fake));
        outline.resize(289, 300);
        list.resize(289, 120);
        panel.resize(289, 600);
        vertical.SetAlign(alLeft);
        horizontal.SetAlign(alBottom);
        TEditorTargets& t = context->Targets();
        t.Outline = &outline;
        t.Panel = &panel;
        t.VertSplitter = &vertical;
        t.HorzSplitter = &horizontal;
        t.ListView = &list;
        panelPage = std::make_unique<TPanelStylePage>(*context);
        outlinePage = std::make_unique<TOutlineStylePage>(*context);
        listPage = std::make_unique<TListStylePage>(*context);
        splitterPage = std::make_unique<TSplitterStylePage>(*context);
    }

    QString Bitmap(const QString& name, QColor colour)
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = tmp.filePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    QTemporaryDir tmp;
    TFakeHost host;
    TFakeDialogs* dialogs = nullptr;
    std::unique_ptr<TEditorContext> context;
    TMDIOutline outline;
    TClrListView list;
    TKXPanelPage panel;
    TGraphicSplitBar vertical;
    TGraphicSplitBar horizontal;
    std::unique_ptr<TPanelStylePage> panelPage;
    std::unique_ptr<TOutlineStylePage> outlinePage;
    std::unique_ptr<TListStylePage> listPage;
    std::unique_ptr<TSplitterStylePage> splitterPage;
};

const QStringList kMergeItems = {"Paint Black",
                                 "Invert Background",
                                 "Merge - 1",
                                 "Merge - 2",
                                 "Ignore Foreground Colour",
                                 "Invert Combination",
                                 "Copy Foreground Pattern - 1",
                                 "Copy Foreground Pattern - Invert",
                                 "PatPaint",
                                 "Merge - 3",
                                 "Foreground Colour",
                                 "Invert Background, Merge",
                                 "Invert Foreground",
                                 "Merge - 4",
                                 "Paint White"};
const QStringList kCellMergeItems = {"Paint Black",
                                     "Invert Background",
                                     "Merge - 1",
                                     "Merge - 2",
                                     "Ignore Cell Colour",
                                     "Invert Combination",
                                     "Copy Cell Colour - 1",
                                     "Copy Cell Colour - Invert",
                                     "PatPaint",
                                     "Merge - 3",
                                     "Cell Colour",
                                     "Invert Background, Merge",
                                     "Invert Cell Colour",
                                     "Merge - 4",
                                     "Paint White"};
const quint32 kCodes[] = {66,       5570569,  12583114, 12255782, 3342344,
                          1114278,  15728673, 5898313,  16452105, 8913094,
                          13369376, 4457256,  6684742,  15597702, 16711778};

TEST_F(StylePagesTest, CopyModeCombosOfferTheTableAndSetEveryCode)
{
    ASSERT_EQ(ItemsOf(outlinePage->OLMMCombo), kMergeItems);
    ASSERT_EQ(ItemsOf(outlinePage->OLCMCombo), kCellMergeItems);
    EXPECT_EQ(outlinePage->OLMMCombo->currentText(), "Merge - 1");
    EXPECT_EQ(outlinePage->OLCMCombo->currentText(), "Merge - 1");
    for (int i = 0; i < 15; ++i) {
        ChooseItem(outlinePage->OLMMCombo, i);
        EXPECT_EQ(outline.BackgroundCopyMode(), kCodes[i]) << i;
        ChooseItem(outlinePage->OLCMCombo, 14 - i);
        EXPECT_EQ(outline.BackgroundCellCopyMode(), kCodes[14 - i]) << i;
    }
    ChooseItem(outlinePage->OLMMCombo, outlinePage->OLMMCombo->findText("Merge - 2"));
    EXPECT_EQ(outline.BackgroundCopyMode(), 12255782u);
}

TEST_F(StylePagesTest, ShapeAndStyleCombosOfferTheirPagesWordingAndSetTheirValues)
{
    EXPECT_EQ(ItemsOf(outlinePage->OLCDSCombo),
              QStringList({"None", "Box", "Rounded - Right", "Rounded - Left"}));
    EXPECT_EQ(ItemsOf(listPage->CLVSDStyle),
              QStringList({"None", "Box ", "Rounded - Right", "Rounded - Left"}));
    EXPECT_EQ(ItemsOf(outlinePage->OLCOCombo),
              QStringList({"None", "Box Cell", "Underlined Cell"}));
    EXPECT_EQ(ItemsOf(listPage->CVNCStyle), QStringList({"None", "Box Cell", "Underline Cell"}));
    EXPECT_EQ(ItemsOf(outlinePage->OLBSCombo), QStringList({"None", "Bitmap", "Gradient"}));
    const QStringList shadows = {"No Shadow",    "Left - Right", "Top - Bottom", "Left Shadow",
                                 "Right Shadow", "Top Shadow",   "Bottom Shadow"};
    EXPECT_EQ(ItemsOf(splitterPage->SplitterCombo), shadows);
    EXPECT_EQ(ItemsOf(splitterPage->HSplitterCombo), shadows);
    EXPECT_EQ(splitterPage->SplitterCombo->currentText(), "No Shadow");

    for (int i = 0; i < 4; ++i) {
        ChooseItem(outlinePage->OLCDSCombo, i);
        EXPECT_EQ(outline.DrawCellOutline(), TCellStyle(i));
        ChooseItem(listPage->CLVSDStyle, i);
        EXPECT_EQ(list.DrawCellOutline(), TCellStyle(i));
    }
    for (int i = 0; i < 3; ++i) {
        ChooseItem(outlinePage->OLCOCombo, i);
        EXPECT_EQ(outline.DoCellOutline(), TKXLineStyle(i));
        ChooseItem(listPage->CVNCStyle, i);
        EXPECT_EQ(list.DoCellOutline(), TKXLineStyle(i));
        ChooseItem(outlinePage->OLBSCombo, i);
        EXPECT_EQ(outline.BackGroundStyle(), TKXBackStyle(i));
    }
    for (int i = 0; i < 7; ++i) {
        ChooseItem(splitterPage->SplitterCombo, i);
        EXPECT_EQ(vertical.ShadowStyle(), TShadowStyle(i));
        ChooseItem(splitterPage->HSplitterCombo, 6 - i);
        EXPECT_EQ(horizontal.ShadowStyle(), TShadowStyle(6 - i));
    }
}

TEST_F(StylePagesTest, ATypedTextThatNamesNoItemSetsNothing)
{
    ChooseItem(outlinePage->OLMMCombo, 3);
    outlinePage->OLMMCombo->lineEdit()->clear();
    QTest::keyClicks(outlinePage->OLMMCombo->lineEdit(), "Merge - 9");
    EXPECT_EQ(outline.BackgroundCopyMode(), 12255782u);
    // Typing an item's exact text chooses it.
    outlinePage->OLMMCombo->lineEdit()->clear();
    QTest::keyClicks(outlinePage->OLMMCombo->lineEdit(), "Paint White");
    EXPECT_EQ(outline.BackgroundCopyMode(), 16711778u);
}

TEST_F(StylePagesTest, GapFieldsReadNumbersAndGiveZeroForLetters)
{
    panelPage->Edit1->setText("abc");
    panelPage->Edit2->setText("$10");
    panelPage->Edit3->setText("");
    panelPage->Edit4->setText("30");
    panelPage->Button3Click();
    EXPECT_EQ(panel.AlignTopGap(), 0);
    EXPECT_EQ(panel.AlignLeftGap(), 16);
    EXPECT_EQ(panel.AlignRightGap(), 0);
    EXPECT_EQ(panel.AlignBottomGap(), 30);

    outlinePage->Edit7->setText("12");
    outlinePage->Edit8->setText("x1");
    outlinePage->Button19Click();
    EXPECT_EQ(outline.LeftGap(), 12);
    EXPECT_EQ(outline.HitGap(), 0);

    listPage->CVNLGap->setText("4");
    listPage->CVNRGap->setText("$A");
    listPage->Button7Click();
    EXPECT_EQ(list.LeftGap(), 4);
    EXPECT_EQ(list.HitGap(), 10);
}

TEST_F(StylePagesTest, SplitterSizesGoToWidthAndHeightByColumn)
{
    splitterPage->SplitterWidth->setText("12");
    splitterPage->SplitShadThickness->setText("5");
    splitterPage->VSB_ButtonClick();
    EXPECT_EQ(vertical.Width(), 12);
    EXPECT_EQ(vertical.ShThickness(), 5);

    const int width = horizontal.Width();
    splitterPage->HSplitWidth->setText("9");
    splitterPage->HSplitShThick->setText("4");
    splitterPage->HSB_ButtonClick();
    EXPECT_EQ(horizontal.Height(), 9);
    EXPECT_EQ(horizontal.Width(), width);
    EXPECT_EQ(horizontal.ShThickness(), 4);

    splitterPage->SplitterWidth->setText("-3");
    splitterPage->VSB_ButtonClick();
    EXPECT_EQ(vertical.Width(), 1); // a bar of no width could never be dragged back
    EXPECT_EQ(splitterPage->SplitterWidth->text(), "1");
}

TEST_F(StylePagesTest, PanelAndOutlineColourButtonsOpenWithTheControlsOwnColour)
{
    panel.SetGradientHiLight(777);
    dialogs->Colours = {255, 65280};
    panelPage->Button2Click();
    EXPECT_EQ(panel.GradientHiLight(), 255);
    EXPECT_EQ(panel.BackGroundStyle(), rbsGradient);
    panel.SetBackGroundStyle(rbsNone);
    panelPage->Button4Click();
    EXPECT_EQ(panel.GradientLoLight(), 65280);
    EXPECT_EQ(panel.BackGroundStyle(), rbsGradient);
    EXPECT_EQ(dialogs->ColourInitials, std::vector<qint32>({777, 0}));

    struct TButton
    {
        QPushButton* Button;
        std::function<qint32()> Value;
    };
    const TButton buttons[] = {
        {outlinePage->Button25, [&] { return outline.Color(); }},
        {outlinePage->Button17, [&] { return outline.CellPaintColour(); }},
        {outlinePage->Button18, [&] { return outline.CellHiLightColour(); }},
        {outlinePage->Button21, [&] { return outline.TextNormalCol(); }},
        {outlinePage->Button22, [&] { return outline.TextHiLight(); }},
        {outlinePage->OLHiLightButton, [&] { return outline.GradientHiLight(); }},
        {outlinePage->OLLoLightButton, [&] { return outline.GradientLoLight(); }}};
    qint32 colour = 1000;
    for (const TButton& b : buttons) {
        dialogs->ColourInitials.clear();
        dialogs->Colours = {++colour};
        const qint32 own = b.Value();
        b.Button->click();
        EXPECT_EQ(b.Value(), colour) << b.Button->objectName().toStdString();
        EXPECT_EQ(dialogs->ColourInitials, std::vector<qint32>({own}));
    }
    EXPECT_EQ(outline.BackGroundStyle(), rbsGradient);

    // Cancelling changes nothing.
    dialogs->Colours = {std::nullopt};
    outlinePage->Button25->click();
    EXPECT_EQ(outline.Color(), 1001);
}

TEST_F(StylePagesTest, ListColourButtonsArePresetWithTheListsColours)
{
    list.SetCellPaintColour(111);
    list.SetCellHiLightColour(222);
    list.SetTextNormalCol(333);
    list.SetTextHiLight(444);
    dialogs->Colours = {1, 2, 3, 4};
    listPage->CLVCPColourClick();
    listPage->CLVCHColourClick();
    listPage->CLVNTextClick();
    listPage->CLVHTextClick();
    EXPECT_EQ(dialogs->ColourInitials, std::vector<qint32>({111, 222, 333, 444}));
    EXPECT_EQ(list.CellPaintColour(), 1);
    EXPECT_EQ(list.CellHiLightColour(), 2);
    EXPECT_EQ(list.TextNormalCol(), 3);
    EXPECT_EQ(list.TextHiLight(), 4);
}

TEST_F(StylePagesTest, ListColourRecoloursTheHorizontalSplitterOnlyWhenItHasAShadow)
{
    list.SetColor(555);
    horizontal.SetColor(900);
    horizontal.SetShadowStyle(ssShadBottom);
    dialogs->Colours = {4242};
    listPage->CLVColourClick();
    EXPECT_EQ(dialogs->ColourInitials, std::vector<qint32>({555}));
    EXPECT_EQ(list.Color(), 4242);
    EXPECT_EQ(horizontal.Color(), 4242);

    horizontal.SetShadowStyle(ssNoShad);
    dialogs->Colours = {8080};
    listPage->CLVColourClick();
    EXPECT_EQ(list.Color(), 8080);
    EXPECT_EQ(horizontal.Color(), 4242);
    EXPECT_EQ(vertical.Color() == 8080, false);
}

TEST_F(StylePagesTest, SplitterColourAndPictureResetTheComboToNoShadow)
{
    vertical.SetColor(321);
    ChooseItem(splitterPage->SplitterCombo, 3);
    dialogs->Colours = {99};
    splitterPage->SplitterColour->click();
    EXPECT_EQ(dialogs->ColourInitials, std::vector<qint32>({321}));
    EXPECT_EQ(vertical.Color(), 99);
    EXPECT_EQ(vertical.ShadowStyle(), ssNoShad);
    EXPECT_EQ(splitterPage->SplitterCombo->currentText(), "No Shadow");

    // The picture button uses the open dialog as it was left.
    dialogs->OpenSetup().Filter = "Text (*.txt)|*.txt";
    dialogs->OpenSetup().InitialDir = "/somewhere/";
    ChooseItem(splitterPage->HSplitterCombo, 5);
    dialogs->Files = {Bitmap("bar.bmp", Qt::red)};
    splitterPage->HSplitPicture->click();
    EXPECT_EQ(dialogs->FileSetups.back().Filter, "Text (*.txt)|*.txt");
    EXPECT_EQ(dialogs->FileSetups.back().InitialDir, "/somewhere/");
    EXPECT_FALSE(horizontal.Picture().isNull());
    EXPECT_EQ(horizontal.ShadowStyle(), ssNoShad);
    EXPECT_EQ(splitterPage->HSplitterCombo->currentText(), "No Shadow");
}

TEST_F(StylePagesTest, ASplitterPictureThatCannotLoadIsReportedAndChangesNothing)
{
    WriteTestFile(tmp.filePath("broken.bmp"), "not a picture");
    ChooseItem(splitterPage->HSplitterCombo, 5);
    TMessageCapture messages;
    dialogs->Files = {tmp.filePath("broken.bmp")};
    splitterPage->HSplitPictureClick();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains("broken.bmp"));
    EXPECT_TRUE(horizontal.Picture().isNull());
    EXPECT_EQ(horizontal.ShadowStyle(), ssShadTop);
    EXPECT_EQ(splitterPage->HSplitterCombo->currentText(), "Top Shadow");
}

TEST_F(StylePagesTest, OutlineFontSetsTheFontAndThreeTimesItsPointsAsRowHeight)
{
    outlinePage->Edit9->setText("20");
    TEditorDialogs::TFontChoice font;
    font.Font = QFont("Arial");
    font.Font.setPointSize(10);
    font.Font.setItalic(true);
    font.Colour = 128;
    dialogs->Fonts = {font, std::nullopt};
    outlinePage->Button24Click();
    EXPECT_EQ(outline.ItemHeight(), 30);
    EXPECT_EQ(outline.font().pointSize(), 10);
    EXPECT_TRUE(outline.font().italic());
    EXPECT_EQ(outline.FontColour(), 128);
    EXPECT_EQ(outlinePage->Edit9->text(), "30"); // the field shows the height in force

    // The next use opens with the outline's font; a cancel keeps the look.
    outlinePage->Button24Click();
    EXPECT_EQ(dialogs->FontInitials.back().Font.pointSize(), 10);
    EXPECT_EQ(outline.ItemHeight(), 30);
}

TEST_F(StylePagesTest, ListFontLaysTheListOutAgainInReportView)
{
    list.SetViewStyle(vsList);
    TEditorDialogs::TFontChoice font;
    font.Font = QFont("Arial");
    font.Font.setPointSize(14);
    font.Colour = 255;
    dialogs->Fonts = {font};
    listPage->CVFontClick();
    EXPECT_EQ(list.font().pointSize(), 14);
    EXPECT_EQ(list.FontColour(), 255);
    EXPECT_EQ(list.ViewStyle(), vsReport);
    EXPECT_TRUE(list.updatesEnabled());
}

TEST_F(StylePagesTest, CellHeightFollowsEveryChangeOfItsField)
{
    TypeInto(outlinePage->Edit9, "25");
    EXPECT_EQ(outline.ItemHeight(), 25);
    outlinePage->Edit9->setText("$20");
    EXPECT_EQ(outline.ItemHeight(), 32);
}

TEST_F(StylePagesTest, ThreeDTextButtonsToggle)
{
    const bool outlineBefore = outline.TextAsThreeD();
    outlinePage->Button23->click();
    EXPECT_EQ(outline.TextAsThreeD(), !outlineBefore);
    outlinePage->Button23->click();
    EXPECT_EQ(outline.TextAsThreeD(), outlineBefore);
    const bool listBefore = list.TextAsThreeD();
    listPage->CVThDText->click();
    EXPECT_EQ(list.TextAsThreeD(), !listBefore);
}

TEST_F(StylePagesTest, BitmapButtonsLoadFromTheProgramFolderAndAlwaysSetTheBitmapStyle)
{
    const QString good = Bitmap("tile.bmp", Qt::blue);
    dialogs->Files = {good};
    panelPage->Button1Click();
    const TEditorDialogs::TOpenSetup& setup = dialogs->FileSetups.back();
    EXPECT_EQ(setup.Filter, "BMP Files (*.bmp)|*.bmp");
    EXPECT_EQ(setup.InitialDir, TPath::ProgramDirectory());
    EXPECT_EQ(panel.BitmapFileName(), good);
    EXPECT_EQ(panel.BackGroundStyle(), rbsBitmap);
    const QString tile = ImageKey(panel.TileBitmap());

    // A file that is no picture keeps the old tile, but the style is still the bitmap's.
    WriteTestFile(tmp.filePath("bad.bmp"), "nothing");
    panel.SetBackGroundStyle(rbsGradient);
    dialogs->Files = {tmp.filePath("bad.bmp")};
    panelPage->Button1Click();
    EXPECT_EQ(ImageKey(panel.TileBitmap()), tile);
    EXPECT_EQ(panel.BitmapFileName(), good);
    EXPECT_EQ(panel.BackGroundStyle(), rbsBitmap);

    dialogs->Files = {good};
    outlinePage->OLBitmapButton->click();
    EXPECT_EQ(outline.BitmapFileName(), good);
    EXPECT_EQ(outline.BackGroundStyle(), rbsBitmap);
    outline.SetBackGroundStyle(rbsNone);
    dialogs->Files = {tmp.filePath("bad.bmp")};
    outlinePage->OLBitmapButtonClick();
    EXPECT_EQ(outline.BitmapFileName(), good);
    EXPECT_EQ(outline.BackGroundStyle(), rbsBitmap);

    // Cancelling changes nothing.
    outline.SetBackGroundStyle(rbsNone);
    dialogs->Files = {std::nullopt};
    outlinePage->OLBitmapButtonClick();
    EXPECT_EQ(outline.BackGroundStyle(), rbsNone);
}

TEST_F(StylePagesTest, FillingShowsTheControlsValues)
{
    panel.SetAlignTopGap(11);
    panel.SetAlignLeftGap(12);
    panel.SetAlignRightGap(13);
    panel.SetAlignBottomGap(14);
    ASSERT_TRUE(panelPage->Fill());
    EXPECT_EQ(QStringList({panelPage->Edit1->text(), panelPage->Edit2->text(),
                           panelPage->Edit3->text(), panelPage->Edit4->text()}),
              QStringList({"11", "12", "13", "14"}));

    outline.SetBackGroundStyle(rbsGradient);
    outline.SetLeftGap(3);
    outline.SetHitGap(4);
    outline.SetDrawCellOutline(rcsBox);
    outline.SetDoCellOutline(rlsUnderline);
    outline.SetBackgroundCopyMode(12255782);
    outline.SetBackgroundCellCopyMode(66);
    outline.SetItemHeight(27);
    ASSERT_TRUE(outlinePage->Fill());
    EXPECT_EQ(outlinePage->OLBSCombo->currentText(), "Gradient");
    EXPECT_EQ(outlinePage->Edit7->text(), "3");
    EXPECT_EQ(outlinePage->Edit8->text(), "4");
    EXPECT_EQ(outlinePage->OLCDSCombo->currentText(), "Box");
    EXPECT_EQ(outlinePage->OLCOCombo->currentText(), "Underlined Cell");
    EXPECT_EQ(outlinePage->OLMMCombo->currentText(), "Merge - 2");
    EXPECT_EQ(outlinePage->OLCMCombo->currentText(), "Paint Black");
    EXPECT_EQ(outlinePage->Edit9->text(), "27");

    // A code outside the table leaves its combo as it was.
    outline.SetBackgroundCopyMode(12345);
    ASSERT_TRUE(outlinePage->Fill());
    EXPECT_EQ(outlinePage->OLMMCombo->currentText(), "Merge - 2");

    list.SetDrawCellOutline(rcsRoundLeft);
    list.SetLeftGap(6);
    list.SetHitGap(7);
    ASSERT_TRUE(listPage->Fill());
    EXPECT_EQ(listPage->CLVSDStyle->currentText(), "Rounded - Left");
    EXPECT_EQ(listPage->CVNCStyle->currentText(), "None");
    EXPECT_EQ(listPage->CVNLGap->text(), "6");
    EXPECT_EQ(listPage->CVNRGap->text(), "7");
}

TEST_F(StylePagesTest, FillingTheListDoesNotChangeItsLook)
{
    // Choosing "Underline Cell" by hand also changes the cells; filling must not.
    list.SetCellPaintColour(100);
    list.SetDoCellOutline(rlsUnderline);
    list.SetDrawCellOutline(rcsBox);
    list.SetCellHiLightColour(200);
    const QStringList before = LookOf(list);
    ASSERT_TRUE(listPage->Fill());
    EXPECT_EQ(LookOf(list), before);
}

TEST_F(StylePagesTest, CaptionsHintsAndTheStitchingNote)
{
    EXPECT_EQ(outlinePage->StitchingNote->text(), "Some modes may\ncause \"stitching\" to\nappear "
                                                  "in\nthe cells. The only\nsolution is to try\n"
                                                  "another mode.");
    EXPECT_EQ(outlinePage->StitchingNote->alignment(), Qt::AlignCenter);
    EXPECT_EQ(outlinePage->OLMMCombo->toolTip(),
              "Combine foreground colour and background colours");
    EXPECT_EQ(outlinePage->Edit9->text(), "20");
    EXPECT_EQ(outlinePage->Edit7->text(), "10");
    EXPECT_EQ(panelPage->Button1->text(), "BitmapStyle");
    EXPECT_EQ(panelPage->Button1->toolTip(), "Tile a bitmap in background");
    EXPECT_EQ(panelPage->Edit3->text(), "20");
    EXPECT_EQ(listPage->CLVCPColour->text(), "Cell Paint ");
    EXPECT_EQ(listPage->CVNRGap->toolTip(), "Set gap on right of cell");
    EXPECT_EQ(splitterPage->HSplitShThick->toolTip(), "Set height of shadow(s)");
    EXPECT_EQ(splitterPage->SplitterPicture->toolTip(),
              "Choose a bitmap instead of a shadow style");
    EXPECT_EQ(panelPage->objectName(), "PanelSheet");
    EXPECT_EQ(panelPage->windowTitle(), "Panel Style");
    EXPECT_EQ(splitterPage->windowTitle(), "Splitters");
}

} // namespace
