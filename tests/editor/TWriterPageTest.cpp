// The writer page writing start-up options into a real application ini file.
#include "editor/TWriterPage.h"
#include "EditorTestSupport.h"
#include "common/TestSupport.h"
#include "editor/TEditorContext.h"
#include "editor/TRadioGroup.h"
#include "platform/TIniFile.h"
#include "platform/TPath.h"
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace editortest;

namespace {

const QByteArray kIni = "[StartUp]\r\nStartUpMode=0\r\n[Warnings]\r\nColourWarning=1\r\n";
const QString kWriteFailed = "Could not write to the application ini file";
const QString kIniLost = "Your default ini file has been lost or corrupted, run setup again.";

class WriterPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        TPath::SetExecutablePathOverride(tmp.filePath("zelmora"));
        iniPath = tmp.filePath("zelmora.INI");
        WriteTestFile(iniPath, kIni);
        auto fake = std::make_unique<TFakeDialogs>();
        dialogs = fake.get();
        context = std::make_unique<TEditorContext>(&host, std::move(fake));
        page = std::make_unique<TWriterPage>(*context);
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    QString Read(const QString& key, const QString& section = "StartUp")
    {
        return TIniFile(iniPath).ReadString(section, key, "<absent>");
    }

    QTemporaryDir tmp;
    QString iniPath;
    TFakeHost host;
    TFakeDialogs* dialogs = nullptr;
    std::unique_ptr<TEditorContext> context;
    std::unique_ptr<TWriterPage> page;
};

TEST_F(WriterPageTest, StateFileIsAcceptedInAnyCaseOfItsExtension)
{
    TMessageCapture messages;
    const QString look = tmp.filePath("LOOK.STA");
    dialogs->Files = {look};
    page->W_Btn_Sta->click();
    EXPECT_EQ(Read("StateFileName"), look);
    EXPECT_TRUE(messages.Texts().isEmpty());
    const TEditorDialogs::TOpenSetup& setup = dialogs->FileSetups.back();
    EXPECT_EQ(setup.Filter, "State Files (*.sta)|*.sta");
    EXPECT_EQ(setup.DefaultExt, "STA");
    EXPECT_EQ(setup.InitialDir, TPath::ProgramDirectory());

    dialogs->Files = {tmp.filePath("look.txt")};
    page->W_Btn_StaClick();
    EXPECT_EQ(messages.Texts(), QStringList({"Please choose a valid .sta file"}));
    EXPECT_EQ(messages.Captions(), QStringList({"Error"}));
    EXPECT_EQ(Read("StateFileName"), look);
}

TEST_F(WriterPageTest, StartUpWebKeepsTheTrailingSeparatorAndAdvertsFolderDropsIt)
{
    const QString file = tmp.filePath("Webs/Book/index.htm");
    dialogs->Files = {file, file};
    page->W_Btn_SUW->click();
    EXPECT_EQ(Read("StartUpWeb"), tmp.filePath("Webs/Book/"));
    page->W_Btn_AFolder->click();
    EXPECT_EQ(Read("AdvertsFolder"), tmp.filePath("Webs/Book"));

    ASSERT_EQ(dialogs->FileSetups.size(), 2u);
    for (const TEditorDialogs::TOpenSetup& s : dialogs->FileSetups) {
        EXPECT_EQ(s.Title, "Please choose any file in the target directory and click Ok");
        EXPECT_EQ(s.Filter, "All Files (*.*)|*.*");
        EXPECT_EQ(s.InitialDir, TPath::ProgramDirectory());
    }
    // The title is cleared afterwards, also when the dialog is cancelled.
    EXPECT_EQ(dialogs->OpenSetup().Title, "");
    dialogs->OpenSetup().Title = "left over";
    dialogs->Files = {std::nullopt};
    page->W_Btn_AFolderClick();
    EXPECT_EQ(dialogs->OpenSetup().Title, "");
}

TEST_F(WriterPageTest, AFolderNameThatIsNotUtf8IsRefusedAsAFailedWrite)
{
    // The dialog hands over the name as text, its undecodable byte turned into U+FFFD.
    const QByteArray raw = QFile::encodeName(tmp.path()) + "/Web\xff";
    ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
    const QString chosen = QFile::decodeName(raw) + "/index.htm";
    ASSERT_TRUE(chosen.contains(QChar::ReplacementCharacter));
    // A folder whose real name holds that character is an ordinary folder.
    const QString honest = tmp.filePath(QString("Own") + QChar::ReplacementCharacter + "/a.htm");
    WriteTestFile(honest, "<p>a");
    TMessageCapture messages;
    dialogs->Files = {chosen, chosen, honest};
    page->W_Btn_SUWClick();
    page->W_Btn_AFolderClick();
    EXPECT_EQ(messages.Texts(), QStringList({kWriteFailed, kWriteFailed}));
    EXPECT_EQ(messages.Captions(), QStringList({"Error", "Error"}));
    EXPECT_EQ(Read("StartUpWeb"), "<absent>");
    EXPECT_EQ(Read("AdvertsFolder"), "<absent>");
    page->W_Btn_SUWClick();
    EXPECT_EQ(Read("StartUpWeb"), TPath::ExtractFilePath(honest));
    EXPECT_EQ(messages.Texts().size(), 2);
}

TEST_F(WriterPageTest, AFileInTheRootFolderKeepsTheRootAsAdvertsFolder)
{
    dialogs->Files = {QStringLiteral("/advert.bmp")};
    page->W_Btn_AFolderClick();
    EXPECT_EQ(Read("AdvertsFolder"), "/");
}

TEST_F(WriterPageTest, IntroductionFileMustEndInLowerCaseHtmOrHtml)
{
    TMessageCapture messages;
    dialogs->Files = {tmp.filePath("INTRO.HTM")};
    page->W_Btn_IFile->click();
    EXPECT_EQ(messages.Texts(), QStringList({"Please choose a html file"}));
    EXPECT_EQ(messages.Captions(), QStringList({"Error"}));
    EXPECT_EQ(Read("IntroductionFile"), "<absent>");
    EXPECT_EQ(dialogs->FileSetups.back().Filter, "HTML Files (*.htm,*.html)|*.htm;*.html");
    EXPECT_EQ(dialogs->FileSetups.back().DefaultExt, "HTM");

    messages.Clear();
    dialogs->Files = {tmp.filePath("intro.html"), tmp.filePath("cover.htm")};
    page->W_Btn_IFileClick();
    EXPECT_EQ(Read("IntroductionFile"), tmp.filePath("intro.html"));
    page->W_Btn_IFileClick();
    EXPECT_EQ(Read("IntroductionFile"), tmp.filePath("cover.htm"));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(WriterPageTest, LogoIsShownAtOnceAndWrittenWhenItLoads)
{
    TMessageCapture messages;
    dialogs->Files = {tmp.filePath("LOGO.BMP")};
    page->W_Btn_YLFile->click();
    EXPECT_EQ(messages.Texts(), QStringList({"Please choose a Windows BMP file"}));
    EXPECT_EQ(host.Options.YourLogoHereBitmap, "0");
    EXPECT_FALSE(host.Calls.join("|").contains("LoadLogo"));
    EXPECT_EQ(dialogs->FileSetups.back().Filter, "Bitmap Files (*.BMP)|*.bmp");
    EXPECT_EQ(dialogs->FileSetups.back().DefaultExt, "BMP");

    messages.Clear();
    const QString logo = tmp.filePath("logo.bmp");
    dialogs->Files = {logo};
    page->W_Btn_YLFileClick();
    EXPECT_EQ(host.Calls, QStringList({"LoadLogo:" + logo}));
    EXPECT_EQ(host.Options.YourLogoHereBitmap, logo);
    EXPECT_EQ(Read("YourLogoHereBitmap"), logo);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(WriterPageTest, ALogoThatDoesNotLoadIsNotWritten)
{
    host.LoadLogoResult = false;
    dialogs->Files = {tmp.filePath("logo.bmp")};
    page->W_Btn_YLFileClick();
    EXPECT_EQ(Read("YourLogoHereBitmap"), "<absent>");
}

TEST_F(WriterPageTest, ALogoThatCannotBeWrittenIsForgottenByTheHost)
{
    ASSERT_TRUE(QFile::remove(iniPath));
    TMessageCapture messages;
    dialogs->Files = {tmp.filePath("logo.bmp")};
    page->W_Btn_YLFileClick();
    EXPECT_EQ(messages.Texts(), QStringList({kIniLost, kWriteFailed}));
    EXPECT_EQ(host.Options.YourLogoHereBitmap, "0");
    EXPECT_FALSE(QFile::exists(iniPath));
}

TEST_F(WriterPageTest, ModeLockAndColourWarningAreWrittenFromTheirControls)
{
    TMessageCapture messages;
    page->SUM_RadioGroup->SetItemIndex(2);
    page->W_Btn_StaUpMode->click();
    EXPECT_EQ(Read("StartUpMode"), "2");

    page->RTLockCheckBox->setChecked(true);
    page->W_Btn_IRTime->click();
    EXPECT_EQ(Read("kxItem2"), "1");
    page->RTLockCheckBox->setChecked(false);
    page->W_Btn_IRTimeClick();
    EXPECT_EQ(Read("kxItem2"), "0");

    page->ColWarnCheckBox->setChecked(true);
    page->W_Btn_DisWarn->click();
    EXPECT_EQ(Read("ColourWarning", "Warnings"), "1");
    EXPECT_TRUE(messages.Texts().isEmpty());

    page->ColWarnCheckBox->setChecked(false);
    page->W_Btn_DisWarnClick();
    EXPECT_EQ(Read("ColourWarning", "Warnings"), "0");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(
        messages.Messages()[0].text,
        "You have chosen to disable default behaviour on low colour monitors. The result may be "
        "considerable screen flicker as the advert changes, plus slower browser performance");
    EXPECT_EQ(messages.Messages()[0].caption, "Information");
    EXPECT_EQ(messages.Messages()[0].icon, TMsgIcon::Information);
}

TEST_F(WriterPageTest, ChangingAControlWithoutItsButtonOrCancellingADialogWritesNothing)
{
    TMessageCapture messages;
    page->SUM_RadioGroup->SetItemIndex(1);
    page->RTLockCheckBox->setChecked(true);
    dialogs->Files = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    page->W_Btn_StaClick();
    page->W_Btn_SUWClick();
    page->W_Btn_IFileClick();
    page->W_Btn_AFolderClick();
    page->W_Btn_YLFileClick();
    EXPECT_EQ(ReadTestFile(iniPath), kIni);
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_TRUE(host.Calls.isEmpty());
}

TEST_F(WriterPageTest, AMissingIniFileGivesBothMessagesForEveryButton)
{
    ASSERT_TRUE(QFile::remove(iniPath));
    TMessageCapture messages;
    dialogs->Files = {tmp.filePath("a.sta"), tmp.filePath("w/x.htm"), tmp.filePath("i.htm"),
                      tmp.filePath("w/x.htm")};
    page->ColWarnCheckBox->setChecked(false);
    page->W_Btn_StaClick();
    page->W_Btn_SUWClick();
    page->W_Btn_IFileClick();
    page->W_Btn_AFolderClick();
    page->W_Btn_StaUpModeClick();
    page->W_Btn_IRTimeClick();
    page->W_Btn_DisWarnClick();
    QStringList expected;
    for (int i = 0; i < 7; ++i)
        expected << kIniLost << kWriteFailed;
    EXPECT_EQ(messages.Texts(), expected);
    EXPECT_EQ(messages.Captions(), QStringList(14, "Error"));
    EXPECT_FALSE(QFile::exists(iniPath));
}

TEST_F(WriterPageTest, FillingShowsTheHostsStartUpValues)
{
    host.Options.StartUpMode = 1;
    host.Options.RuntimeLock = true;
    host.Options.ColourWarning = false;
    ASSERT_TRUE(page->Fill());
    EXPECT_EQ(page->SUM_RadioGroup->ItemIndex(), 1);
    EXPECT_TRUE(page->RTLockCheckBox->isChecked());
    EXPECT_FALSE(page->ColWarnCheckBox->isChecked());
}

TEST_F(WriterPageTest, CaptionsAndHints)
{
    EXPECT_EQ(page->StartUpGroup->title(), " Start Up Options ");
    EXPECT_EQ(page->StartUpGroup->toolTip(), "Edit the application Ini file");
    EXPECT_EQ(page->W_Btn_Sta->text(), "\".Sta\" File");
    EXPECT_EQ(page->W_Btn_Sta->toolTip(), "load a State file on startup");
    EXPECT_EQ(page->W_Btn_SUW->toolTip(), "Initial folder");
    EXPECT_EQ(page->DWGroup->title(), " Distributed Work ");
    EXPECT_EQ(page->RTLockCheckBox->text(), "Use runtime Lock");
    EXPECT_EQ(page->GroupBox1->title(), " Start Up Mode ");
    EXPECT_EQ(page->SUM_RadioGroup->Items(), QStringList({"Edit", "Display", "Reader"}));
    EXPECT_EQ(page->SUM_RadioGroup->toolTip(), "Choose to start in Edit, Display or Reader Mode");
    EXPECT_EQ(page->GroupBox2->title(), "Low colour monitors");
    EXPECT_EQ(page->GroupBox2->toolTip(), "Allow default action if screen colours low");
    EXPECT_EQ(page->ColWarnCheckBox->text(), "Take steps and warn");
    EXPECT_EQ(page->W_Btn_DisWarn->text(), "Write to Ini");
    EXPECT_TRUE(page->DWGroup->parentWidget() == page->StartUpGroup);
    EXPECT_TRUE(page->GroupBox1->parentWidget() == page->StartUpGroup);
}

} // namespace
