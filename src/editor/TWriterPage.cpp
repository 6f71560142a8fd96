#include "TWriterPage.h"
#include "browse/TAppIniFile.h"
#include "browse/THostServices.h"
#include "editor/TEditorContext.h"
#include "editor/TEditorWidgets.h"
#include "editor/TRadioGroup.h"
#include "platform/TMessageBox.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

const QString TWriterPage::WriteFailedText =
    QStringLiteral("Could not write to the application ini file");
const QString TWriterPage::ErrorCaption = QStringLiteral("Error");
const QString TWriterPage::StaFileText = QStringLiteral("Please choose a valid .sta file");
const QString TWriterPage::HtmlFileText = QStringLiteral("Please choose a html file");
const QString TWriterPage::BmpFileText = QStringLiteral("Please choose a Windows BMP file");
const QString TWriterPage::LowColourText = QStringLiteral(
    "You have chosen to disable default behaviour on low colour monitors. The result may be "
    "considerable screen flicker as the advert changes, plus slower browser performance");
const QString TWriterPage::InformationCaption = QStringLiteral("Information");
const QString TWriterPage::FolderTitle =
    QStringLiteral("Please choose any file in the target directory and click Ok");

namespace {

const QString kStartUp = QStringLiteral("StartUp");
const QString kWarnings = QStringLiteral("Warnings");

} // namespace

TWriterPage::TWriterPage(TEditorContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("ReadWriter"));
    setWindowTitle(QStringLiteral("Writer"));
    using W = TEditorWidgets;

    StartUpGroup = W::Group(this, "StartUpGroup", QStringLiteral(" Start Up Options "),
                            QStringLiteral("Edit the application Ini file"));
    W_Btn_Sta =
        W::Button(StartUpGroup, "W_Btn_Sta", QStringLiteral("\".Sta\" File"),
                  QStringLiteral("load a State file on startup"), [this] { W_Btn_StaClick(); });
    W_Btn_SUW = W::Button(StartUpGroup, "W_Btn_SUW", QStringLiteral("Start Up Web"),
                          QStringLiteral("Initial folder"), [this] { W_Btn_SUWClick(); });
    W_Btn_IFile =
        W::Button(StartUpGroup, "W_Btn_IFile", QStringLiteral("Introduction File"),
                  QStringLiteral("Load a cover page on startup"), [this] { W_Btn_IFileClick(); });
    W_Btn_AFolder = W::Button(StartUpGroup, "W_Btn_AFolder", QStringLiteral("Adverts Folder"),
                              QStringLiteral("Select a folder for attract loop files"),
                              [this] { W_Btn_AFolderClick(); });
    W_Btn_YLFile = W::Button(StartUpGroup, "W_Btn_YLFile", QStringLiteral("Your Logo File"),
                             QStringLiteral("Specify an image to display as your logo"),
                             [this] { W_Btn_YLFileClick(); });

    DWGroup = W::Group(StartUpGroup, "DWGroup", QStringLiteral(" Distributed Work "),
                       QStringLiteral("Disable features in distributed work"));
    RTLockCheckBox = new QCheckBox(QStringLiteral("Use runtime Lock"), DWGroup);
    RTLockCheckBox->setObjectName(QStringLiteral("RTLockCheckBox"));
    RTLockCheckBox->setToolTip(QStringLiteral("If checked, you may impose a runtime lock"));
    W_Btn_IRTime = W::Button(DWGroup, "W_Btn_IRTime", QStringLiteral("Write Lock"),
                             QStringLiteral("Write lock to file"), [this] { W_Btn_IRTimeClick(); });
    auto* dw = new QVBoxLayout(DWGroup);
    dw->addWidget(RTLockCheckBox);
    dw->addWidget(W_Btn_IRTime);

    GroupBox1 = W::Group(StartUpGroup, "GroupBox1", QStringLiteral(" Start Up Mode "));
    SUM_RadioGroup = new TRadioGroup(
        {QStringLiteral("Edit"), QStringLiteral("Display"), QStringLiteral("Reader")}, GroupBox1);
    SUM_RadioGroup->setObjectName(QStringLiteral("SUM_RadioGroup"));
    SUM_RadioGroup->setToolTip(QStringLiteral("Choose to start in Edit, Display or Reader Mode"));
    W_Btn_StaUpMode = W::Button(GroupBox1, "W_Btn_StaUpMode", QStringLiteral("Start Up Mode"),
                                QStringLiteral("Write Start Up Mode to Ini file"),
                                [this] { W_Btn_StaUpModeClick(); });
    auto* mode = new QVBoxLayout(GroupBox1);
    mode->addWidget(SUM_RadioGroup);
    mode->addWidget(W_Btn_StaUpMode);

    auto* grid = new QGridLayout(StartUpGroup);
    grid->addWidget(W_Btn_Sta, 0, 0);
    grid->addWidget(W_Btn_SUW, 1, 0);
    grid->addWidget(W_Btn_IFile, 2, 0);
    grid->addWidget(W_Btn_AFolder, 3, 0);
    grid->addWidget(W_Btn_YLFile, 4, 0);
    grid->addWidget(DWGroup, 0, 1, 2, 1);
    grid->addWidget(GroupBox1, 2, 1, 3, 1);

    GroupBox2 = W::Group(this, "GroupBox2", QStringLiteral("Low colour monitors"),
                         QStringLiteral("Allow default action if screen colours low"));
    ColWarnCheckBox = new QCheckBox(QStringLiteral("Take steps and warn"), GroupBox2);
    ColWarnCheckBox->setObjectName(QStringLiteral("ColWarnCheckBox"));
    W_Btn_DisWarn = W::Button(GroupBox2, "W_Btn_DisWarn", QStringLiteral("Write to Ini"), QString(),
                              [this] { W_Btn_DisWarnClick(); });
    auto* low = new QHBoxLayout(GroupBox2);
    low->addWidget(ColWarnCheckBox);
    low->addWidget(W_Btn_DisWarn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StartUpGroup);
    layout->addWidget(GroupBox2);
    layout->addStretch();
}

bool TWriterPage::Fill()
{
    const THostServices* host = m_context.Host();
    if (!host)
        return false;
    try {
        const TStartUpOptions& options = host->StartUpOptions();
        SUM_RadioGroup->SetItemIndex(options.StartUpMode);
        RTLockCheckBox->setChecked(options.RuntimeLock);
        ColWarnCheckBox->setChecked(options.ColourWarning);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TWriterPage::Written(bool ok)
{
    if (!ok)
        TMessageBox::Show(WriteFailedText, ErrorCaption);
    return ok;
}

bool TWriterPage::WritePath(const QString& key, const QString& path)
{
    // A name the file system gave in bytes that are not UTF-8 cannot be written down: the
    // next start would look for another name and silently fall back to the program folder.
    if (!TPath::IsFaithfulName(path))
        return Written(false);
    return Written(TAppIniFile::WriteIniString(kStartUp, key, path));
}

std::optional<QString> TWriterPage::ChooseFile(const QString& filter, const QString& defaultExt)
{
    TEditorDialogs::TOpenSetup& setup = m_context.Dialogs().OpenSetup();
    setup.Filter = filter;
    setup.DefaultExt = defaultExt;
    setup.InitialDir = TPath::ProgramDirectory();
    return m_context.Dialogs().ExecuteOpen();
}

std::optional<QString> TWriterPage::ChooseFolder()
{
    TEditorDialogs::TOpenSetup& setup = m_context.Dialogs().OpenSetup();
    setup.Filter = QStringLiteral("All Files (*.*)|*.*");
    setup.InitialDir = TPath::ProgramDirectory();
    setup.Title = FolderTitle;
    std::optional<QString> file;
    try {
        file = m_context.Dialogs().ExecuteOpen();
    } catch (...) {
        setup.Title.clear();
        throw;
    }
    // The title belongs to this use only.
    setup.Title.clear();
    if (!file)
        return std::nullopt;
    return TPath::ExtractFilePath(*file);
}

void TWriterPage::W_Btn_StaClick()
{
    const std::optional<QString> file =
        ChooseFile(QStringLiteral("State Files (*.sta)|*.sta"), QStringLiteral("STA"));
    if (!file)
        return;
    // The dialog's test: does the chosen extension differ from the default one, in any case?
    const QString ext = TPath::ExtractFileExt(*file).mid(1);
    if (ext.compare(m_context.Dialogs().OpenSetup().DefaultExt, Qt::CaseInsensitive) != 0) {
        TMessageBox::Show(StaFileText, ErrorCaption);
        return;
    }
    WritePath(QStringLiteral("StateFileName"), *file);
}

void TWriterPage::W_Btn_SUWClick()
{
    const std::optional<QString> folder = ChooseFolder();
    if (folder)
        WritePath(QStringLiteral("StartUpWeb"), *folder);
}

void TWriterPage::W_Btn_IFileClick()
{
    const std::optional<QString> file =
        ChooseFile(QStringLiteral("HTML Files (*.htm,*.html)|*.htm;*.html"), QStringLiteral("HTM"));
    if (!file)
        return;
    const QString ext = TPath::ExtractFileExt(*file);
    if (ext != QStringLiteral(".htm") && ext != QStringLiteral(".html")) {
        TMessageBox::Show(HtmlFileText, ErrorCaption);
        return;
    }
    WritePath(QStringLiteral("IntroductionFile"), *file);
}

void TWriterPage::W_Btn_AFolderClick()
{
    const std::optional<QString> folder = ChooseFolder();
    if (!folder)
        return;
    QString value = TPath::StripTrailingSeparators(*folder);
    // A file in the root folder: keep the root rather than write an empty path.
    if (value.isEmpty() && !folder->isEmpty())
        value = folder->left(1);
    WritePath(QStringLiteral("AdvertsFolder"), value);
}

void TWriterPage::W_Btn_YLFileClick()
{
    const std::optional<QString> file =
        ChooseFile(QStringLiteral("Bitmap Files (*.BMP)|*.bmp"), QStringLiteral("BMP"));
    if (!file)
        return;
    if (TPath::ExtractFileExt(*file) != QStringLiteral(".bmp")) {
        TMessageBox::Show(BmpFileText, ErrorCaption);
        return;
    }
    THostServices* host = m_context.Host();
    if (!host)
        return;
    // The new logo shows at once; the host reports a logo it cannot load itself.
    host->SetYourLogoHereBitmap(*file);
    if (!host->LoadLogo())
        return;
    if (!WritePath(QStringLiteral("YourLogoHereBitmap"), *file))
        host->SetYourLogoHereBitmap(TNotSet::Value());
}

void TWriterPage::W_Btn_StaUpModeClick()
{
    Written(TAppIniFile::WriteIniInteger(kStartUp, QStringLiteral("StartUpMode"),
                                         SUM_RadioGroup->ItemIndex()));
}

void TWriterPage::W_Btn_IRTimeClick()
{
    Written(TAppIniFile::WriteIniBool(kStartUp, QStringLiteral("kxItem2"),
                                      RTLockCheckBox->isChecked()));
}

void TWriterPage::W_Btn_DisWarnClick()
{
    const bool warn = ColWarnCheckBox->isChecked();
    if (Written(TAppIniFile::WriteIniBool(kWarnings, QStringLiteral("ColourWarning"), warn)) &&
        !warn)
        TMessageBox::Show(LowColourText, InformationCaption, TMsgButtons::Ok,
                          TMsgIcon::Information);
}
