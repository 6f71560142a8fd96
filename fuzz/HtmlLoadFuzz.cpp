// libFuzzer target for the HTML view's loading path: any bytes, saved as a document,
// go through LoadFile (decoding, rewriting, the rich-text engine, pictures, controls,
// frame sets) and are then drawn, scrolled, searched and walked heading by heading.
// Built only with -DZELMORA_FUZZ=ON; see README.md beside this file.
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include "platform/EError.h"
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

QApplication* g_app = nullptr;
QTemporaryDir* g_dir = nullptr;
THtmlPane* g_pane = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    g_app = new QApplication(*argc, *argv);
    g_dir = new QTemporaryDir;
    g_pane = new THtmlPane;
    g_pane->resize(400, 300);
    g_pane->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = g_dir->path() + QStringLiteral("/fuzz.htm");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    try {
        g_pane->LoadFile(path);
    } catch (const EError&) {
        abort(); // the file exists: loading it must not fail
    }
    QImage surface(400, 300, QImage::Format_RGB32);
    g_pane->render(&surface);
    g_pane->SetPosition(100000);
    g_pane->SetPosition(0);
    g_pane->FindText(QStringLiteral("a"), false);
    const QStringList headings = g_pane->HeadingList();
    for (int i = 0; i < headings.size() && i < 16; ++i) {
        g_pane->ShowHeading(i);
        g_pane->PositionTo(headings[i]);
    }
    g_app->processEvents();
    // Replaced documents and widgets go with deleteLater, which only an event loop
    // carries out; without one they would pile up here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
