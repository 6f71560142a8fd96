// libFuzzer target: arbitrary bytes as a state file, read into a fresh set of the six
// styled controls, which then paint. Whatever the file holds, reading and painting must
// neither crash nor hang. Built outside the default build; see README.md.
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "platform/TMessageBox.h"
#include "state/TDisplayState.h"
#include "state/TKXIniFile.h"
#include "state/TOutlinerState.h"
#include "state/TSplitterState.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

namespace {

QString StatePath()
{
    static const QString path = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "StateReaderFuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        // Messages are answered, never shown.
        TMessageBox::SetHook([](const TMessage&) { return TMsgResult::Ok; });
        return QDir::temp().filePath(
            QStringLiteral("zelmora-state-fuzz-%1.sta").arg(QCoreApplication::applicationPid()));
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = StatePath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    TMDIOutline folder, reader;
    TClrListView docList;
    TKXPanelPage panel;
    TGraphicSplitBar vertical, horizontal;
    folder.resize(120, 90);
    reader.resize(120, 90);
    folder.AddChild(0, QStringLiteral("Web"));
    folder.AddChild(1, QStringLiteral("Folder"));
    docList.resize(120, 60);
    docList.SetViewStyle(vsReport);
    docList.AddColumn(QStringLiteral("Name"), 100);
    docList.AddItem(QStringLiteral("Document"));
    panel.resize(120, 160);
    vertical.SetAlign(alLeft);
    horizontal.SetAlign(alBottom);

    TDisplayState::LoadStateFile(path, &folder, &reader, &horizontal, &vertical, &panel, &docList);
    TDisplayControls controls{&folder, &reader, &docList, &panel, &vertical, &horizontal};
    TDisplayState::LoadDisplayState(controls, path);
    {
        TKXIniFile ini(path);
        TSplitterState::ReadSplitterState(ini, &horizontal, TKXIniFile::VerticalSplitterSection);
        // Writing into whatever the file holds must keep it an ini file the reader reads.
        TOutlinerState::WriteOutlinerState(ini, &folder);
        TOutlinerState::ReadOutlinerState(ini, &reader);
    }

    folder.RenderToImage();
    reader.RenderToImage();
    docList.grab();
    panel.grab();
    vertical.grab();
    horizontal.grab();
    return 0;
}
