// The editor window: copying the live looks in and back, modes, composing the pages,
// placement of the preview and of the page control.
#include "editor/TZMEditor.h"
#include "EditorTestSupport.h"
#include "common/TestSupport.h"
#include "components/outline/TMDIOutline.h"
#include "components/outline/TOutlineNode.h"
#include "components/panels/TFlatButton.h"
#include "components/panels/TTransparentPanel.h"
#include "editor/TEditorTargets.h"
#include "editor/TListStylePage.h"
#include "editor/TOutlineStylePage.h"
#include "editor/TPanelStylePage.h"
#include "editor/TRadioGroup.h"
#include "editor/TSplitterStylePage.h"
#include "editor/TWriterPage.h"
#include "platform/TColorRef.h"
#include "platform/TPath.h"
#include "state/DisplayTestControls.h"
#include "state/TStyleCopies.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <memory>

using namespace editortest;

namespace {

// An underline outline makes the list take its paint colour as highlight colour, and a
// copy sets the outline after the highlight colour, so that colour does not survive a copy.
QStringList WithoutHiLight(QStringList look)
{
    look.removeIf([](const QString& line) { return line.startsWith("CellHiLightColour="); });
    return look;
}

class ZMEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        // No default state file unless a test writes one.
        TPath::SetExecutablePathOverride(tmp.filePath("zelmora"));
        display.StyleAsDesign();
        // The page outline looks different, so copies between the two show.
        display.ReadOutliner.SetColor(255);
        display.ReadOutliner.SetItemHeight(44);
        display.ReadOutliner.SetDrawCellOutline(rcsRoundLeft);
        host.Options.StartUpMode = 2;
        host.Options.RuntimeLock = true;
        host.Options.ColourWarning = false;
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    // Creates and shows the editor as the host does.
    TZMEditor& Open(TDisplayControls live)
    {
        editor = std::make_unique<TZMEditor>(&host, live);
        auto fake = std::make_unique<TFakeDialogs>();
        dialogs = fake.get();
        editor->SetDialogs(std::move(fake));
        editor->resize(1000, 700);
        editor->show();
        return *editor;
    }
    TZMEditor& Open() { return Open(display.Controls()); }

    struct TLooks
    {
        QStringList FolderList, ReadOutliner, DocList, PanelPage, GraphicSplit1, GraphicSplit2;
        bool operator==(const TLooks&) const = default;
    };
    TLooks LiveLooks()
    {
        return {LookOf(display.FolderList),    LookOf(display.ReadOutliner),
                LookOf(display.DocList),       LookOf(display.PanelPage),
                LookOf(display.GraphicSplit1), LookOf(display.GraphicSplit2)};
    }

    QTemporaryDir tmp;
    statetest::TTestDisplay display;
    TFakeHost host;
    std::unique_ptr<TZMEditor> editor;
    TFakeDialogs* dialogs = nullptr;
};

TEST_F(ZMEditorTest, OpeningCopiesTheLiveLooksOntoThePreview)
{
    TMessageCapture messages;
    TZMEditor& e = Open();
    EXPECT_TRUE(messages.Texts().isEmpty());
    // The folder outline is copied last, so the preview shows its look.
    EXPECT_EQ(LookOf(*e.DummyFolderList), LookOf(display.FolderList));
    EXPECT_EQ(WithoutHiLight(LookOf(*e.DummyDocList)), WithoutHiLight(LookOf(display.DocList)));
    EXPECT_EQ(LookOf(*e.DummyPanelPage), LookOf(display.PanelPage));
    EXPECT_EQ(e.DummyVertSplitter->ShadowStyle(), ssShadLeft);
    EXPECT_EQ(e.DummyVertSplitter->Width(), 6);
    EXPECT_EQ(e.DummyHorzSplitter->ShadowStyle(), ssShadBottom);
    EXPECT_EQ(e.DummyHorzSplitter->Height(), 7);
    EXPECT_EQ(e.DummyHorzSplitter->LimitLeftOffset(), display.GraphicSplit2.LimitLeftOffset());
}

TEST_F(ZMEditorTest, CancelLeavesEveryLiveLookAsItWasAndEnablesTheTitlePanel)
{
    const TLooks before = LiveLooks();
    TZMEditor& e = Open();
    TEditorResult reported = TEditorResult::None;
    e.OnEditorClosed = [&](TZMEditor*, TEditorResult r) { reported = r; };

    // Edit every preview first.
    dialogs->Colours = {255, 65280, 16711680};
    e.PanelSheet->Button2Click();
    e.ControlSheet->Button25Click();
    e.ListViewPage->CLVColourClick();
    ChooseItem(e.ReadOther->SplitterCombo, 6);
    ChooseItem(e.ReadOther->HSplitterCombo, 1);
    e.ControlSheet->Edit9->setText("55");
    e.EditorButton_Cancel->Click();

    EXPECT_TRUE(LiveLooks() == before);
    EXPECT_EQ(e.ModalResult(), TEditorResult::Cancel);
    EXPECT_EQ(reported, TEditorResult::Cancel);
    EXPECT_TRUE(e.isHidden());
    EXPECT_TRUE(host.TitlePanelEnabled);
}

TEST_F(ZMEditorTest, CloseGivesBothOutlinesThePreviewLookAndAppliesTheEdits)
{
    const QStringList folderLook = LookOf(display.FolderList);
    ASSERT_NE(LookOf(display.ReadOutliner), folderLook);
    TZMEditor& e = Open();
    TEditorResult reported = TEditorResult::None;
    e.OnEditorClosed = [&](TZMEditor*, TEditorResult r) { reported = r; };
    e.EditorButton_Close->Click();

    EXPECT_EQ(LookOf(display.ReadOutliner), folderLook);
    EXPECT_EQ(LookOf(display.FolderList), folderLook);
    EXPECT_EQ(e.ModalResult(), TEditorResult::Ok);
    EXPECT_EQ(reported, TEditorResult::Ok);
    EXPECT_TRUE(e.isHidden());
    EXPECT_TRUE(host.TitlePanelEnabled);

    // A second opening starts from the live looks and carries an edit across.
    const QStringList panelLook = LookOf(display.PanelPage);
    TZMEditor& again = Open();
    dialogs->Colours = {255, 16711680};
    again.PanelSheet->Button2Click();
    again.PanelSheet->Button4Click();
    again.ReadOther->SplitterCombo->setCurrentIndex(4);
    again.ReadOther->SplitterComboChange();
    again.EditorButton_Close->Click();
    EXPECT_EQ(display.PanelPage.GradientHiLight(), 255);
    EXPECT_EQ(display.PanelPage.GradientLoLight(), 16711680);
    EXPECT_EQ(display.PanelPage.BackGroundStyle(), rbsGradient);
    EXPECT_EQ(display.PanelPage.AlignTopGap(), 20);
    EXPECT_EQ(display.GraphicSplit1.ShadowStyle(), ssShadRight);
    EXPECT_NE(LookOf(display.PanelPage), panelLook);
}

TEST_F(ZMEditorTest, AFailedCopyIsRestoredFromTheDefaultStateFileWithoutAMessage)
{
    QByteArray file = statetest::kDesignStateFile;
    file.replace("AlignTopGap=20", "AlignTopGap=33");
    file.replace("GradientHiLight=0\r\n", "GradientHiLight=255\r\n");
    WriteTestFile(tmp.filePath("zelmora.STA"), file);
    TDisplayControls live = display.Controls();
    live.PanelPage = nullptr; // a panel copy without a source fails

    TMessageCapture messages;
    TZMEditor& e = Open(live);
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(e.DummyPanelPage->AlignTopGap(), 33);
    EXPECT_EQ(e.DummyPanelPage->GradientHiLight(), 255);
    EXPECT_EQ(e.DummyPanelPage->BackGroundStyle(), rbsBitmap);
    // The other steps still ran.
    EXPECT_EQ(WithoutHiLight(LookOf(*e.DummyDocList)), WithoutHiLight(LookOf(display.DocList)));
    EXPECT_EQ(e.DummyHorzSplitter->ShadowStyle(), ssShadBottom);
}

TEST_F(ZMEditorTest, AFailedCopyWithoutTheDefaultStateFileIsReportedAndTheRestGoesOn)
{
    TDisplayControls live = display.Controls();
    live.PanelPage = nullptr;
    live.GraphicSplit1 = nullptr;
    TMessageCapture messages;
    TZMEditor& e = Open(live);
    const QString text = "Some elements could not be restored from the system backups. Re-install "
                         "strongly recommended.";
    EXPECT_EQ(messages.Texts(), QStringList({text, text}));
    EXPECT_EQ(messages.Captions(), QStringList({"System Error", "System Error"}));
    EXPECT_EQ(messages.Messages()[0].icon, TMsgIcon::Warning);
    EXPECT_EQ(e.DummyHorzSplitter->ShadowStyle(), ssShadBottom);
    EXPECT_EQ(LookOf(*e.DummyFolderList), LookOf(display.FolderList));

    // Closing reports the same and still closes.
    messages.Clear();
    e.EditorButton_Close->Click();
    EXPECT_EQ(messages.Texts(), QStringList({text, text}));
    EXPECT_TRUE(e.isHidden());
    EXPECT_EQ(LookOf(display.ReadOutliner), LookOf(display.FolderList));
}

TEST_F(ZMEditorTest, OpeningComposesThePagesBetweenProgressTextAndAdvertAndShowsFolders)
{
    TZMEditor& e = Open();
    EXPECT_EQ(host.Calls.mid(0, 2),
              QStringList({"ShowProgressText:Composing Screen", "ShowAdvertPage"}));
    EXPECT_EQ(e.ToolBarCaption(), "Folder List Mode");
    EXPECT_EQ(e.ComponentStylePage->currentWidget(), e.ControlSheet);
    // Fields filled from the previews and the host.
    EXPECT_EQ(e.PanelSheet->Edit1->text(), "20");
    EXPECT_EQ(e.ControlSheet->Edit9->text(), "30");
    EXPECT_EQ(e.ControlSheet->OLCMCombo->currentText(), "Merge - 4");
    EXPECT_EQ(e.ListViewPage->CVNCStyle->currentText(), "Underline Cell");
    EXPECT_EQ(e.ReadOther->SplitterWidth->text(), "6");
    EXPECT_EQ(e.ReadOther->HSplitWidth->text(), "7");
    EXPECT_EQ(e.ReadOther->HSplitterCombo->currentText(), "Bottom Shadow");
    EXPECT_EQ(e.ReadWriter->SUM_RadioGroup->ItemIndex(), 2);
    EXPECT_TRUE(e.ReadWriter->RTLockCheckBox->isChecked());
    EXPECT_FALSE(e.ReadWriter->ColWarnCheckBox->isChecked());
    EXPECT_TRUE(e.ReadWriter->StartUpGroup->isVisibleTo(e.ReadWriter));
}

TEST_F(ZMEditorTest, FillingFailuresFollowThePageOrder)
{
    TZMEditor& e = Open();
    host.Calls.clear();
    // A failure on the outline page leaves its fields and fills the later pages.
    e.ControlSheet->Edit7->setText("x");
    e.ReadOther->SplitterWidth->setText("x");
    TROutliner* outline = e.Targets().Outline;
    e.Targets().Outline = nullptr;
    e.ComposePages();
    EXPECT_EQ(e.ControlSheet->Edit7->text(), "x");
    EXPECT_EQ(e.ReadOther->SplitterWidth->text(), "6");
    EXPECT_EQ(host.Calls, QStringList({"ShowProgressText:Composing Screen", "ShowAdvertPage"}));

    // A failure on the panel page leaves every later page.
    e.Targets().Outline = outline;
    e.Targets().Panel = nullptr;
    e.ReadOther->SplitterWidth->setText("x");
    e.ReadWriter->SUM_RadioGroup->SetItemIndex(0);
    host.Calls.clear();
    e.ComposePages();
    EXPECT_EQ(e.ControlSheet->Edit7->text(), "x");
    EXPECT_EQ(e.ReadOther->SplitterWidth->text(), "x");
    EXPECT_EQ(e.ReadWriter->SUM_RadioGroup->ItemIndex(), 0);
    EXPECT_EQ(host.Calls.last(), "ShowAdvertPage");
}

TEST_F(ZMEditorTest, ModeButtonsShowTheirPagesAndCaptions)
{
    {
        statetest::TTestDisplay d;
        EXPECT_EQ(TZMEditor(&host, d.Controls()).ToolBarCaption(), "Editor  ");
    }
    TZMEditor& e = Open();
    EXPECT_EQ(e.ComponentStylePage->count(), 5);

    struct TMode
    {
        TFlatButton* Button;
        QWidget* Page;
        const char* Caption;
    };
    const TMode modes[] = {{e.Toolbutton_panelStyle, e.PanelSheet, "Panel Mode"},
                           {e.Toolbutton_outlinerStyle, e.ControlSheet, "Folder List Mode"},
                           {e.Toolbutton_listStyle, e.ListViewPage, "Document List Mode"},
                           {e.Toolbutton_splitterStyle, e.ReadOther, "Splitters Mode"},
                           {e.Toolbutton_writer, e.ReadWriter, "Writer Mode "}};
    for (const TMode& m : modes) {
        m.Button->Click();
        EXPECT_EQ(e.ComponentStylePage->currentWidget(), m.Page);
        EXPECT_EQ(e.ToolBarCaption(), QString::fromLatin1(m.Caption));
    }

    const QStringList captions = {"Close",     "Cancel",    "Panel", "Folders",
                                  "Documents", "Splitters", "Writer"};
    const QStringList hints = {"Close and apply changes", "Close without changes",
                               "Change background panel", "Change Folder List",
                               "Change Document List",    "Change Splitters",
                               "Save Changes to File"};
    const TFlatButton* buttons[] = {e.EditorButton_Close,    e.EditorButton_Cancel,
                                    e.Toolbutton_panelStyle, e.Toolbutton_outlinerStyle,
                                    e.Toolbutton_listStyle,  e.Toolbutton_splitterStyle,
                                    e.Toolbutton_writer};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(buttons[i]->Caption(), captions[i]);
        EXPECT_EQ(buttons[i]->toolTip(), hints[i]);
        if (i > 0) // left to right in this order
            EXPECT_LT(buttons[i - 1]->x(), buttons[i]->x());
    }
    EXPECT_EQ(e.EditorButton_Cancel->FontColour(), TColours::clRed);
    EXPECT_TRUE(e.EditorButton_Cancel->font().bold());
}

TEST_F(ZMEditorTest, PanelModeRefillsTheGapFieldsFromThePreview)
{
    TZMEditor& e = Open();
    e.DummyPanelPage->SetAlignLeftGap(7);
    e.DummyPanelPage->SetAlignBottomGap(9);
    e.PanelSheet->Edit2->setText("x");
    e.Toolbutton_panelStyle->Click();
    EXPECT_EQ(e.PanelSheet->Edit2->text(), "7");
    EXPECT_EQ(e.PanelSheet->Edit4->text(), "9");
}

TEST_F(ZMEditorTest, PreviewHasItsDesignValuesAndWorkingReferences)
{
    statetest::TTestDisplay d;
    TZMEditor e(&host, d.Controls());
    EXPECT_EQ(e.LeftPanel->width(), 289);
    EXPECT_EQ(e.DummyPanelPage->toolTip(), "Shows a preview of your changes");
    EXPECT_EQ(e.DummyPanelPage->BackGroundStyle(), rbsGradient);
    EXPECT_EQ(e.DummyPanelPage->GradientHiLight(), 0);
    EXPECT_EQ(e.DummyPanelPage->GradientLoLight(), 9856410);
    EXPECT_EQ(e.DummyPanelPage->LeaveSpaceAtTitle(), 15);
    EXPECT_EQ(e.Right_Panel->GradientHiLight(), 4042);
    EXPECT_EQ(e.Right_Panel->GradientLoLight(), 16777215);
    EXPECT_EQ(e.Right_Panel->LeaveSpaceAtTitle(), 40);
    EXPECT_EQ(e.HomePanel->Color(), TColours::clWhite);
    EXPECT_EQ(e.DummyFolderList->ItemHeight(), 20);
    EXPECT_GE(e.DummyFolderList->ItemCount(), 3);
    EXPECT_EQ(e.DummyFolderList->Items(2)->Level(), 2);
    EXPECT_EQ(e.DummyDocList->ViewStyle(), vsReport);
    EXPECT_EQ(e.DummyDocList->ColumnCount(), 1);
    EXPECT_GE(e.DummyDocList->ItemCount(), 2);
    EXPECT_EQ(e.DummyHorzSplitter->Align(), alBottom);
    EXPECT_EQ(e.DummyHorzSplitter->Height(), 8);
    EXPECT_EQ(e.DummyVertSplitter->Align(), alLeft);
    EXPECT_EQ(e.DummyVertSplitter->Width(), 6);
    EXPECT_FALSE(e.DummyVertSplitter->isEnabled());
    EXPECT_FALSE(e.TopSplitter->isEnabled());
    EXPECT_EQ(e.TopSplitter->ShadowStyle(), ssShadTop);

    TEditorTargets& t = e.Targets();
    EXPECT_EQ(t.Outline, e.DummyFolderList);
    EXPECT_EQ(t.Panel, e.DummyPanelPage);
    EXPECT_EQ(t.VertSplitter, e.DummyVertSplitter);
    EXPECT_EQ(t.HorzSplitter, e.DummyHorzSplitter);
    EXPECT_EQ(t.ListView, e.DummyDocList);
}

TEST_F(ZMEditorTest, LowColourScreenGivesTheStyleAreaAFlatSilverLook)
{
    host.Colours = 256;
    TZMEditor& e = Open();
    EXPECT_EQ(e.Right_Panel->Color(), TColours::clSilver);
    EXPECT_EQ(e.Right_Panel->GradientHiLight(), TColours::clSilver);
    EXPECT_EQ(e.Right_Panel->GradientLoLight(), TColours::clSilver);
    EXPECT_EQ(e.Right_Panel->BackGroundStyle(), rbsNone);
    EXPECT_EQ(e.TopSplitter->ShadowStyle(), ssNoShad);
    EXPECT_EQ(e.TopSplitter->Color(), TColours::clSilver);
    const QImage shot = e.Right_Panel->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(192, 192, 192));
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, 2), QColor(192, 192, 192));

    host.Colours = 65536;
    TZMEditor& rich = Open();
    EXPECT_EQ(rich.Right_Panel->BackGroundStyle(), rbsGradient);
    EXPECT_EQ(rich.TopSplitter->ShadowStyle(), ssShadTop);
}

TEST_F(ZMEditorTest, ResizingCentresThePageControlAndNeverGoesNegative)
{
    TZMEditor& e = Open();
    const QWidget* page = e.ComponentStylePage;
    EXPECT_EQ(page->x(), (e.Right_Panel->width() - page->width()) / 2);
    EXPECT_EQ(page->y(), (e.Right_Panel->height() - page->height()) / 2);
    EXPECT_GT(page->x(), 0);

    e.resize(1401, 901);
    EXPECT_EQ(page->x(), (e.Right_Panel->width() - page->width()) / 2);
    EXPECT_EQ(page->y(), (e.Right_Panel->height() - page->height()) / 2);

    e.resize(320, 120);
    EXPECT_LT(e.Right_Panel->width(), page->width());
    EXPECT_EQ(page->pos(), QPoint(0, 0));
}

TEST_F(ZMEditorTest, TheHomePanelSitsInThePreviewGapsAndFollowsThem)
{
    TZMEditor& e = Open();
    TKXPanelPage* p = e.DummyPanelPage;
    (void)p->grab();
    const QRect r = p->rect();
    EXPECT_EQ(e.HomePanel->geometry(),
              QRect(p->AlignLeftGap(), p->AlignTopGap() + 10,
                    r.width() - p->AlignRightGap() - p->AlignLeftGap(),
                    r.height() - p->AlignBottomGap() - 10 - p->AlignTopGap() - 10));

    e.PanelSheet->Edit2->setText("5");
    e.PanelSheet->Edit1->setText("6");
    e.PanelSheet->Button3Click();
    (void)p->grab();
    EXPECT_EQ(e.HomePanel->x(), 5);
    EXPECT_EQ(e.HomePanel->y(), 16);
}

TEST_F(ZMEditorTest, ShowingTheHostAgainDoesNotCopyTheLiveLooksAgain)
{
    QWidget hostWindow;
    hostWindow.resize(1000, 700);
    editor = std::make_unique<TZMEditor>(&host, display.Controls(), &hostWindow);
    auto fake = std::make_unique<TFakeDialogs>();
    dialogs = fake.get();
    editor->SetDialogs(std::move(fake));
    editor->resize(1000, 700);
    hostWindow.show();
    dialogs->Colours = {255};
    editor->PanelSheet->Button2Click();
    hostWindow.hide();
    hostWindow.show();
    EXPECT_EQ(editor->DummyPanelPage->GradientHiLight(), 255);
    editor.reset(); // before the host window, which would delete it as its child
}

} // namespace

TEST_F(ZMEditorTest, OpeningThenClosingWithoutAnEditLeavesEveryPixel)
{
    // A splitter with a picture and a shadow, rows to draw, gaps the preview could show
    // wider than the live controls.
    QImage bar(3, 3, QImage::Format_RGB32);
    bar.fill(QColor(200, 30, 30));
    display.GraphicSplit2.SetPicture(bar);
    display.GraphicSplit2.SetShadowStyle(ssShadBottom);
    display.DocList.AddColumn(QString(), 200);
    for (const char* row : {"One", "Two", "Three"})
        display.DocList.AddItem(QLatin1String(row));
    display.DocList.SetSelected(display.DocList.Item(1));
    display.DocList.SetDoCellOutline(rlsUnderline);
    display.DocList.SetDrawCellOutline(rcsBox);
    display.DocList.SetCellHiLightColour(8388608);
    display.FolderList.AddChild(0, QStringLiteral("Folder"));
    display.FolderList.SetHitGap(57);
    display.FolderList.SetDrawCellOutline(rcsRoundRight);
    display.FolderList.SetDoCellOutline(rlsBox); // kept together only by an exact copy
    ASSERT_TRUE(TStyleCopies::CopyOutlinerStyle(&display.ReadOutliner, &display.FolderList));
    const auto pixels = [this] {
        return std::vector<QImage>{
            display.FolderList.RenderToImage(), display.ReadOutliner.RenderToImage(),
            display.DocList.grab().toImage(),   display.PanelPage.grab().toImage(),
            display.GraphicSplit1.Compose(),    display.GraphicSplit2.Compose()};
    };
    const std::vector<QImage> before = pixels();
    const TLooks looks = LiveLooks();

    TZMEditor& e = Open();
    e.EditorButton_CloseClick();
    const TLooks now = LiveLooks();
    EXPECT_EQ(now.GraphicSplit1, looks.GraphicSplit1);
    EXPECT_EQ(now.GraphicSplit2, looks.GraphicSplit2);
    EXPECT_TRUE(now == looks);
    const std::vector<QImage> after = pixels();
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(after[i] == before[i]) << "control " << i;
}

TEST_F(ZMEditorTest, ThePreviewClampsAsTheLiveDisplayAndTheFieldsShowWhatIsInForce)
{
    TZMEditor& e = Open();
    const int liveQuarter = display.FolderList.width() / 4;
    ASSERT_LT(liveQuarter, e.DummyFolderList->width() / 4);

    TypeInto(e.ControlSheet->Edit7, "1000");
    TypeInto(e.ControlSheet->Edit8, "abc");
    e.ControlSheet->Button19Click();
    EXPECT_EQ(e.ControlSheet->Edit7->text(), QString::number(liveQuarter));
    EXPECT_EQ(e.ControlSheet->Edit8->text(), "0");
    EXPECT_EQ(e.DummyFolderList->LeftGap(), liveQuarter);

    TypeInto(e.ListViewPage->CVNRGap, "1000");
    e.ListViewPage->Button7Click();
    EXPECT_EQ(e.ListViewPage->CVNRGap->text(), QString::number(display.DocList.width() / 4));

    TypeInto(e.PanelSheet->Edit1, "1000");
    e.PanelSheet->Button3Click();
    EXPECT_EQ(e.PanelSheet->Edit1->text(), QString::number(display.PanelPage.height() / 4));

    TypeInto(e.ReadOther->SplitterWidth, "0");
    e.ReadOther->VSB_ButtonClick();
    EXPECT_EQ(e.ReadOther->SplitterWidth->text(), "1");

    e.EditorButton_CloseClick();
    EXPECT_EQ(display.FolderList.LeftGap(), liveQuarter);
    EXPECT_EQ(display.DocList.HitGap(), display.DocList.width() / 4);
    EXPECT_EQ(display.PanelPage.AlignTopGap(), display.PanelPage.height() / 4);
}

TEST_F(ZMEditorTest, TheControlsShowTheStateInForceAndDialogsOpenWithTheControlsValue)
{
    TZMEditor& e = Open();
    TOutlineStylePage& page = *e.ControlSheet;
    ChooseItem(page.OLCOCombo, 2);  // "Underlined Cell"
    ChooseItem(page.OLCDSCombo, 2); // "Rounded - Right" turns the outline off
    EXPECT_EQ(page.OLCOCombo->currentIndex(), 0);

    const QString tile = tmp.filePath("tile.bmp");
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(tile, "BMP"));
    ChooseItem(page.OLBSCombo, 2);
    dialogs->Files.push_back(tile);
    page.OLBitmapButtonClick();
    EXPECT_EQ(page.OLBSCombo->currentIndex(), 1); // "Bitmap"

    e.DummyFolderList->SetCellHiLightColour(4321);
    dialogs->Colours.push_back(std::nullopt);
    page.Button18Click();
    EXPECT_EQ(dialogs->ColourInitials.back(), 4321);
    e.DummyPanelPage->SetGradientLoLight(8765);
    dialogs->Colours.push_back(std::nullopt);
    e.PanelSheet->Button4Click();
    EXPECT_EQ(dialogs->ColourInitials.back(), 8765);

    QFont face("MS Sans Serif");
    face.setPointSize(11);
    face.setItalic(true);
    e.DummyFolderList->setFont(face);
    dialogs->Fonts.push_back(std::nullopt);
    page.Button24Click();
    EXPECT_EQ(dialogs->FontInitials.back().Font, face);

    // The preview list shows a highlighted row.
    EXPECT_NE(e.DummyDocList->Selected(), nullptr);

    // A window smaller than the page scrolls instead of cutting the page off.
    e.resize(700, 450);
    EXPECT_GT(e.StyleScroll->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(e.StyleScroll->horizontalScrollBar()->maximum(), 0);
}
