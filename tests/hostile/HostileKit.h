#pragma once
// A kit in a temporary folder, started the way the entry sequence starts the program: the
// host window (which reads the kit's ini file), then the browsing window embedded in it.
#include "app/TMDIHost.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "hostile/HostileCorpus.h"
#include "html/THtmlPane.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace hostile {

inline const QString kIniMessage = QStringLiteral("Your .ini file is missing or corrupted. Zelmora "
                                                  "may not run succesfully. Reinstall recommended");
inline const QString kLogoMessage = QStringLiteral(
    "The file specified in the YourLogoHereBitmap section of your ini file is either missing or "
    "corrupted. It wasnt loaded properly");
inline const QString kDefaultStateMessage = QStringLiteral(
    "The default STA file is corrupted or missing (this is a backup file used when the user "
    "specified STATE file cannot be loaded. You can fix this by running Set-Up again, and this "
    "is recommended.");
inline const QString kLostIniMessage =
    QStringLiteral("Your default ini file has been lost or corrupted, run setup again.");
inline const QString kMissingDocument =
    QStringLiteral("Could not find file. Please check the file is in the correct folder");

class THostileKit
{
public:
    THostileKit()
    {
        // Readable by the unprivileged user the unreadable-folder cases run as.
        ::chmod(QFile::encodeName(m_tmp.path()).constData(), 0755);
        Kit = m_tmp.path() + QStringLiteral("/kit/");
        Web = Kit + QStringLiteral("web/");
        QDir().mkpath(Web);
        // Writable for that user too, unless a case takes it away.
        ::chmod(QFile::encodeName(Kit).constData(), 0777);
        TPath::SetExecutablePathOverride(Kit + QStringLiteral("zelmora"));
        TScreen::SetDepthOverride(24);
        // The default state file as installed.
        QFile::copy(QStringLiteral(ZELMORA_SOURCE_DIR "/demo/zelmora.STA"), Kit + "zelmora.STA");
        MakeFile(Web + "Index.htm", "<html><body><a name=\"Welcome#1\"></a><h1>Welcome</h1>"
                                    "<p>An ordinary page.</body></html>");
    }
    ~THostileKit()
    {
        Stop();
        TPath::SetExecutablePathOverride(QString());
        TScreen::SetDepthOverride(0);
    }
    THostileKit(const THostileKit&) = delete;
    THostileKit& operator=(const THostileKit&) = delete;

    QString IniPath() const { return Kit + QStringLiteral("zelmora.INI"); }

    // An ordinary ini file pointing at the kit's web, with extra StartUp lines (which win
    // over the ordinary ones: the first of duplicate keys counts).
    void WriteIni(const QByteArray& extraStartUp = QByteArray())
    {
        MakeFile(IniPath(), "[StartUp]\r\n" + extraStartUp +
                                "StateFileName=READERBASE\\zelmora.STA\r\n"
                                "StartUpWeb=READERBASE\\web\\\r\nStartUpMode=0\r\n"
                                "\r\n[Warnings]\r\nColourWarning=1\r\n");
    }

    // The entry sequence: host, browsing window, first showing.
    void Start()
    {
        Host = std::make_unique<TMDIHost>();
        Main = std::make_unique<TZMMain>(Host.get());
        Host->SetViewerWindow(Main.get());
        Host->show();
        QApplication::processEvents();
    }
    void Stop()
    {
        Main.reset();
        Host.reset();
    }

    // The program still answers: the event loop turns, the site panel comes back, a
    // document opens and the look is saved to a new state file. Empty when all went well.
    QString StillWorks()
    {
        if (!Main)
            return QStringLiteral("not started");
        QApplication::processEvents();
        Host->HomeButtonClick();
        Main->OpenDocument(Web + "Index.htm", QStringLiteral("0"));
        if (QFileInfo(Main->Viewer->CurrentFile()).fileName() != QLatin1String("Index.htm"))
            return QStringLiteral("an ordinary document no longer opens");
        const QString saved = Kit + QStringLiteral("still-works.sta");
        if (!Main->SaveDisplayState(saved) || !QFileInfo(saved).isFile())
            return QStringLiteral("the look can no longer be saved");
        QFile::remove(saved);
        QApplication::processEvents();
        return QString();
    }

    QString Kit, Web;
    std::unique_ptr<TMDIHost> Host;
    std::unique_ptr<TZMMain> Main;

private:
    QTemporaryDir m_tmp;
};

// The texts of captured messages that are not in allowed.
inline QStringList Unexpected(const TMessageCapture& messages, const QStringList& allowed)
{
    QStringList out;
    for (const QString& text : messages.Texts())
        if (!allowed.contains(text))
            out << text;
    return out;
}

} // namespace hostile
