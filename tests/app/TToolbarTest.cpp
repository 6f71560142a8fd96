#include "app/TFindDialog.h"
#include "app/TIdleReset.h"
#include "app/TMDIHost.h"
#include "app/TSplashForm.h"
#include "app/TTitlePanel.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/outline/TOutlineNode.h"
#include "components/panels/TFlatButton.h"
#include "components/panels/TTransparentPanel.h"
#include "html/THtmlPane.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A kit with a small web; the host and the browsing window are wired as main() does.
class TToolbarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_kit = m_tmp.path() + "/kit/";
        WriteTestFile(m_kit + "web/index.htm",
                      "<a name=\"Intro#1\"></a><h1>Intro</h1><p>The word lantern appears once. "
                      "A Heron, and a heron.");
        WriteTestFile(m_kit + "other/page.htm", "<p>other web");
        TPath::SetExecutablePathOverride(m_kit + "zelmora");
        TScreen::SetDepthOverride(24);
    }
    void TearDown() override
    {
        TFileDialog::SetHook({});
        TPath::SetExecutablePathOverride(QString());
        TScreen::SetDepthOverride(0);
    }
    void Start(const QByteArray& startUp)
    {
        WriteTestFile(m_kit + "zelmora.INI",
                      "[StartUp]\r\nStartUpWeb=READERBASE\\web\\\r\n" + startUp);
        m_host = std::make_unique<TMDIHost>();
        m_main = std::make_unique<TZMMain>(m_host.get());
        m_host->SetViewerWindow(m_main.get());
        m_host->show();
    }
    void Press(int key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(m_main->FolderList, Qt::Key(key), modifiers);
    }

    QTemporaryDir m_tmp;
    QString m_kit;
    std::unique_ptr<TMDIHost> m_host;
    std::unique_ptr<TZMMain> m_main;
};

} // namespace

TEST_F(TToolbarTest, SiteAndPageButtons)
{
    Start("StartUpMode=0\r\n");
    m_main->OpenDocument(m_kit + "web/index.htm", "0");
    EXPECT_FALSE(m_main->ReadPanel->isHidden());
    QTest::mouseClick(m_host->TitlePanel()->HomeButton, Qt::LeftButton);
    EXPECT_FALSE(m_main->HomePanel->isHidden());
    QTest::mouseClick(m_host->TitlePanel()->Read, Qt::LeftButton);
    EXPECT_FALSE(m_main->ReadPanel->isHidden());
    // With an empty folder outline, "site" builds the site first.
    m_main->FolderList->Clear();
    m_host->HomeButtonClick();
    EXPECT_GT(m_main->FolderList->ItemCount(), 0);
}

TEST_F(TToolbarTest, ModeKeysSwitchAndAreNotConsumed)
{
    Start("StartUpMode=1\r\n");
    TTitlePanel* t = m_host->TitlePanel();
    EXPECT_TRUE(t->ExitButton->isHidden());
    m_main->FolderList->setFocus();
    Press(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Edit);
    EXPECT_FALSE(t->ExitButton->isHidden());
    EXPECT_FALSE(t->TB_Edit_Panel->isHidden());
    EXPECT_FALSE(m_host->windowFlags() & Qt::FramelessWindowHint);
    Press(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Display);
    Press(Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Reader);
    // Keypad keys, F3 and plain letters change nothing.
    Press(Qt::Key_E, Qt::ControlModifier | Qt::KeypadModifier);
    Press(Qt::Key_F3, Qt::ControlModifier);
    Press(Qt::Key_E, Qt::NoModifier);
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Reader);
}

TEST_F(TToolbarTest, ModeKeysStillReachTheFocusedControl)
{
    Start("StartUpMode=0\r\n");
    auto* edit = new QLineEdit(m_main.get());
    int presses = 0;
    struct Counter : QObject
    {
        int* n;
        explicit Counter(int* c) : n(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_D)
                ++*n;
            return false;
        }
    } counter(&presses);
    edit->installEventFilter(&counter);
    QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Display);
    EXPECT_EQ(presses, 1);
    QTest::keyClicks(edit, "abc");
    EXPECT_EQ(edit->text(), "abc");
}

TEST_F(TToolbarTest, RuntimeLockIgnoresModeKeys)
{
    Start("StartUpMode=0\r\nkxItem2=1\r\n");
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Reader);
    Press(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Reader);
}

TEST_F(TToolbarTest, FindOnThisPage)
{
    Start("StartUpMode=0\r\n");
    m_main->OpenDocument(m_kit + "web/index.htm", "0");
    m_host->findButtonClick();
    TFindDialog* find = m_host->FindDialog();
    EXPECT_TRUE(find->isVisible());
    find->SetFindText("lantern");
    TMessageCapture messages;
    QTest::mouseClick(find->FindNextButton, Qt::LeftButton);
    EXPECT_TRUE(messages.Messages().empty());
    QTest::mouseClick(find->FindNextButton, Qt::LeftButton);
    ASSERT_EQ(messages.Texts(), QStringList{"No further occurances of lantern"});
    EXPECT_EQ(messages.Captions(), QStringList{"Information"});
    EXPECT_EQ(messages.Messages()[0].icon, TMsgIcon::Warning);
    // Match case: "heron" in lower case is found once, not as "Heron".
    m_main->Viewer->SetPosition(0);
    m_main->OpenDocument(m_kit + "web/index.htm", "0");
    messages.Clear();
    find->SetFindText("heron");
    find->MatchCaseBox->setChecked(true);
    m_host->FindDialogFind();
    m_host->FindDialogFind();
    EXPECT_EQ(messages.Texts(), QStringList{"No further occurances of heron"});
    // The dialog keeps its text; Cancel hides it.
    QTest::mouseClick(find->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(find->isVisible());
    m_host->findButtonClick();
    EXPECT_EQ(find->FindText(), "heron");
}

TEST_F(TToolbarTest, WebDialogChoosesAFolderAndClearsItsTitle)
{
    Start("StartUpMode=0\r\n");
    QList<TFileDialog> seen;
    std::optional<QString> answer;
    TFileDialog::SetHook([&](const TFileDialog& d) {
        seen << d;
        return answer;
    });
    const QString before = m_main->CurrentFolder;
    m_host->openwebbuttonClick(); // cancelled
    EXPECT_EQ(m_main->CurrentFolder, before);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].Title, "Please choose any file in the target directory and click Ok");
    EXPECT_EQ(seen[0].Filter, "All Files (*.*)|*.*");
    EXPECT_EQ(seen[0].InitialDir, m_kit);

    answer = m_kit + "other/page.htm";
    m_host->openwebbuttonClick();
    EXPECT_EQ(m_host->StartUpOptions().StartUpWeb, m_kit + "other/");
    EXPECT_EQ(m_main->CurrentFolder, m_kit + "other/");
    EXPECT_EQ(m_main->FolderList->Items(1)->Text(), "other");

    // "load" afterwards shows no leftover title.
    answer.reset();
    m_host->ToolBarButton_ReadClick();
    EXPECT_EQ(seen.last().Title, "");
    EXPECT_EQ(seen.last().Filter, "State Files (*.sta)|*.sta");
    EXPECT_EQ(seen.last().DefaultExt, "STA");
}

TEST_F(TToolbarTest, SaveAsAndLoadGoThroughTheStateFiles)
{
    Start("StartUpMode=0\r\n");
    QList<TFileDialog> seen;
    TFileDialog::SetHook([&](const TFileDialog& d) {
        seen << d;
        return std::optional<QString>(m_kit + "mine");
    });
    m_main->ReadOutliner->SetColor(4242);
    m_host->EditorButton_SaveClick(); // the default extension is added
    ASSERT_TRUE(QFile::exists(m_kit + "mine.STA"));
    TFileDialog::SetHook([&](const TFileDialog& d) {
        seen << d;
        return std::optional<QString>(m_kit + "mine.STA");
    });
    m_main->FolderList->SetColor(1);
    m_host->ToolBarButton_ReadClick();
    EXPECT_EQ(m_main->FolderList->Color(), 4242);

    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].DialogKind(), TFileDialog::Save);
    EXPECT_EQ(seen[1].DialogKind(), TFileDialog::Open);
    for (const TFileDialog& d : seen) {
        EXPECT_EQ(d.Filter, "State Files (*.sta)|*.sta");
        EXPECT_EQ(d.DefaultExt, "STA");
        EXPECT_EQ(d.InitialDir, m_kit);
        EXPECT_EQ(d.Title, "");
    }
}

TEST_F(TToolbarTest, EditorThatCannotBeShownIsReported)
{
    // A host without its browsing window has nothing to edit: the editor cannot be made.
    WriteTestFile(m_kit + "zelmora.INI",
                  "[StartUp]\r\nStartUpWeb=READERBASE\\web\\\r\nStartUpMode=0\r\n");
    m_host = std::make_unique<TMDIHost>();
    TMessageCapture messages;
    m_host->SettingsEditorClick();
    EXPECT_EQ(m_host->EditorWindow(), nullptr);
    EXPECT_EQ(
        messages.Texts(),
        QStringList{"Couldnt show the editor. System resources may be too low to generate window"});
    EXPECT_EQ(messages.Captions(), QStringList{"Load Error"});
    EXPECT_TRUE(m_host->TitlePanel()->isEnabled());
    EXPECT_TRUE(m_host->AdvertShowing());
    EXPECT_EQ(m_host->TitlePanel()->Progress_TextLabel->text(), "Loading Editor.. ");
}

TEST_F(TToolbarTest, AboutExitAndEditor)
{
    Start("StartUpMode=0\r\n");
    QTest::mouseClick(m_host->TitlePanel()->about_button, Qt::LeftButton);
    ASSERT_EQ(m_host->SplashWindows().size(), 1);
    EXPECT_TRUE(m_host->SplashWindows()[0]->isVisible());

    m_host->SettingsEditorClick();
    ASSERT_NE(m_host->EditorWindow(), nullptr);
    EXPECT_FALSE(m_host->TitlePanel()->isEnabled());
    EXPECT_TRUE(m_host->AdvertShowing());

    QTest::mouseClick(m_host->TitlePanel()->ExitButton, Qt::LeftButton); // disabled: nothing
    EXPECT_TRUE(m_host->isVisible());
    m_host->SetTitlePanelEnabled(true);
    QTest::mouseClick(m_host->TitlePanel()->ExitButton, Qt::LeftButton);
    EXPECT_FALSE(m_host->isVisible());
}

TEST(TFileDialogTest, FiltersShowWholeAndTheDefaultExtensionIgnoresLetterCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    WriteTestFile(folder + "LAMP.STA", "[Panel]\r\n");
    WriteTestFile(folder + "notes", "x");
    for (const auto& [filter, shown] :
         {std::pair{"State Files (*.sta)|*.sta", "State Files (*.sta)"},
          std::pair{"All Files (*.*)|*.*", "All Files (*.*)"}}) {
        TFileDialog d(TFileDialog::Open);
        d.Filter = QString::fromLatin1(filter);
        QFileDialog dialog;
        d.Prepare(dialog);
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        ASSERT_EQ(types->count(), 1);
        EXPECT_EQ(types->itemText(0), QString::fromLatin1(shown));
    }

    TFileDialog load(TFileDialog::Open);
    load.DefaultExt = QStringLiteral("STA");
    EXPECT_EQ(load.Complete(folder + "lamp"), folder + "LAMP.STA");
    EXPECT_EQ(load.Complete(folder + "Lamp.sta"), folder + "LAMP.STA");
    EXPECT_EQ(load.Complete(folder + "notes"), folder + "notes") << "only the name typed exists";
    EXPECT_FALSE(load.Complete(folder + "gone"));
    TFileDialog save(TFileDialog::Save);
    save.DefaultExt = QStringLiteral("STA");
    EXPECT_EQ(save.Complete(folder + "new"), folder + "new.STA");
}

TEST_F(TToolbarTest, IdleResetClosesWhatTheVisitorOpenedAndShowsTheStart)
{
    QString longPage = "<h1>Long</h1>";
    for (int i = 0; i < 200; ++i)
        longPage += QString("<p>line %1</p>").arg(i);
    WriteTestFile(m_kit + "web/sub/long.htm", longPage.toUtf8());
    Start("StartUpMode=1\r\nIntroductionFile=READERBASE\\web\\index.htm\r\n"
          "[Kiosk]\r\nIdleReset=5\r\n");
    EXPECT_EQ(m_host->IdleResetWatch()->Seconds(), 5);
    const QString intro = m_kit + "web/index.htm";
    ASSERT_EQ(m_main->Viewer->CurrentFile(), intro);
    const bool readPanelAtStart = m_main->ReadPanel->isVisible();
    const int foldersAtStart = m_main->FolderList->ItemCount();
    const QByteArray ini = ReadTestFile(m_kit + "zelmora.INI");

    // A visitor reads another page far down, searches, opens "i", and an operator left
    // the mode for Edit mode and another web.
    m_main->OpenDocument(m_kit + "web/sub/long.htm", "0");
    m_main->Viewer->SetPosition(400);
    m_host->findButtonClick();
    m_host->FindDialog()->SetFindText("lantern");
    m_host->about_buttonClick();
    m_host->SetEditMode();
    TFileDialog::SetHook([&](const TFileDialog&) { return m_kit + "other/page.htm"; });
    m_host->openwebbuttonClick();
    TFileDialog::SetHook({});
    ASSERT_EQ(m_main->FolderList->Items(1)->Text(), "other");

    m_host->IdleReset();
    EXPECT_FALSE(m_host->FindDialog()->isVisible());
    EXPECT_EQ(m_host->FindDialog()->FindText(), "");
    EXPECT_FALSE(m_host->SplashWindows()[0]->isVisible());
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Display);
    EXPECT_TRUE(m_host->AdvertShowing());
    EXPECT_EQ(m_main->Viewer->CurrentFile(), intro);
    EXPECT_EQ(m_main->Viewer->Position(), 0);
    EXPECT_EQ(m_main->ReadPanel->isVisible(), readPanelAtStart);
    EXPECT_EQ(m_main->ReadOutliner->Items(1)->Text(), "Intro");
    EXPECT_EQ(m_main->FolderList->Items(1)->Text(), "web");
    EXPECT_EQ(m_main->FolderList->ItemCount(), foldersAtStart);
    EXPECT_EQ(m_host->StartUpOptions().StartUpWeb, m_kit + "web/");
    EXPECT_EQ(ReadTestFile(m_kit + "zelmora.INI"), ini); // only the display changed

    // An open file dialog is cancelled; its command goes on as after "Cancel".
    QTimer::singleShot(100, m_host.get(), [this] { m_host->IdleReset(); });
    m_host->openwebbuttonClick();
    EXPECT_EQ(m_host->StartUpOptions().StartUpWeb, m_kit + "web/");

    // Nothing while the layout editor is open.
    m_host->SettingsEditorClick();
    ASSERT_NE(m_host->EditorWindow(), nullptr);
    EXPECT_TRUE(m_host->IdleResetWatch()->Blocked());
    m_main->OpenDocument(m_kit + "web/sub/long.htm", "0");
    m_host->IdleReset();
    EXPECT_EQ(m_main->Viewer->CurrentFile(), m_kit + "web/sub/long.htm");
}

TEST_F(TToolbarTest, IdleResetWithoutAnIntroductionShowsTheSiteAndABlankView)
{
    Start("StartUpMode=2\r\n[Kiosk]\r\nIdleReset=60\r\n");
    m_main->OpenDocument(m_kit + "web/index.htm", "0");
    ASSERT_TRUE(m_main->ReadPanel->isVisible());
    m_host->IdleReset();
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Reader);
    EXPECT_EQ(m_main->Viewer->CurrentFile(), "");
    EXPECT_TRUE(m_main->Viewer->HeadingList().isEmpty());
    EXPECT_TRUE(m_main->HomePanel->isVisible());
    EXPECT_EQ(m_main->ReadOutliner->ItemCount(), 0);
    EXPECT_EQ(m_main->FolderList->Items(1)->Text(), "web");
}
