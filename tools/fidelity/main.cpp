// zelmora-render: shows one page in the real HTML view at a fixed width, off screen, and
// writes what a reader is shown of it (a JSON file) and a screenshot of it (PNG). The
// fidelity comparison (make fidelity) runs it once per page of its corpus, beside the
// reference browser.
//
//   zelmora-render [--width W] [--height H] [--shot-limit N] PAGE JSON PNG
//
// The window is W x H (800 x 600): a frame set is shot at that size, any other page at its
// whole height, at least H and at most N (4000) pixels. Exit status: 0 shown, 1 the page
// could not be loaded (the JSON says why), 2 wrong arguments.
#include "TPageMeasure.h"
#include "html/THtmlPane.h"
#include "platform/EError.h"
#include "platform/TColorRef.h"
#include "platform/TMessageBox.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <cstdio>

namespace {

struct TOptions
{
    int width = 800;
    int height = 600;
    int shotLimit = 4000;
    QString page;
    QString json;
    QString png;
};

bool ParseOptions(const QStringList& args, TOptions& o)
{
    QStringList files;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        int* number = a == QLatin1String("--width")        ? &o.width
                      : a == QLatin1String("--height")     ? &o.height
                      : a == QLatin1String("--shot-limit") ? &o.shotLimit
                                                           : nullptr;
        if (!number) {
            files << a;
            continue;
        }
        bool ok = false;
        *number = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
        if (!ok || *number < 16 || *number > 30000)
            return false;
    }
    if (files.size() != 3)
        return false;
    o.page = files[0];
    o.json = files[1];
    o.png = files[2];
    return true;
}

// Lets the view's queued work run: control placement and any relayout it starts.
void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool WriteJson(const QString& path, const QJsonObject& result)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(result).toJson(QJsonDocument::Indented));
    return file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TOptions options;
    if (!ParseOptions(app.arguments(), options)) {
        std::fputs("usage: zelmora-render [--width W] [--height H] [--shot-limit N] PAGE JSON "
                   "PNG\n",
                   stderr);
        return 2;
    }

    // A message box would wait for a reader who is not there; its text is reported instead.
    QJsonArray messages;
    TMessageBox::SetHook([&messages](const TMessage& m) {
        messages.append(m.text);
        return TMsgResult::Ok;
    });

    // Dressed as the browsing window dresses its view; no scroll bars, as in the reference,
    // so both lay the text out over the whole width.
    THtmlPane pane;
    pane.SetDefBackground(TColours::clWhite);
    pane.SetBorderStyle(htNone);
    pane.SetDefFontName(QStringLiteral("Times New Roman"));
    pane.SetDefPreFontName(QStringLiteral("Courier New"));
    pane.SetViewImages(true);
    pane.SetScrollBars(ssNone);
    pane.resize(options.width, options.height);
    pane.show();
    Settle();

    QJsonObject result{{QStringLiteral("page"), options.page},
                       {QStringLiteral("width"), options.width}};
    QElapsedTimer clock;
    clock.start();
    try {
        pane.LoadFile(options.page);
    } catch (const EError& e) {
        result.insert(QStringLiteral("ok"), false);
        result.insert(QStringLiteral("error"), e.Message());
        result.insert(QStringLiteral("messages"), messages);
        WriteJson(options.json, result);
        return 1;
    }
    Settle();
    // Measuring completes the layout, so the time covers loading and laying out in full.
    const TPageMeasure measure = TPageMeasure::Of(pane);
    result.insert(QStringLiteral("loadMs"), int(clock.elapsed()));

    const int shotHeight = measure.frameSet
                               ? options.height
                               : std::clamp(measure.height, options.height, options.shotLimit);
    pane.resize(options.width, shotHeight);
    Settle();
    pane.grab(); // the first drawing tells the view where its controls go
    Settle();
    const bool shot = pane.grab().toImage().save(options.png, "PNG");

    const QJsonObject shown = measure.ToJson();
    for (auto it = shown.constBegin(); it != shown.constEnd(); ++it)
        result.insert(it.key(), it.value());
    result.insert(QStringLiteral("scrolled"), TPageMeasure::Scrolled(pane));
    result.insert(QStringLiteral("ok"), true);
    result.insert(QStringLiteral("shot"), shot ? options.png : QString());
    result.insert(QStringLiteral("messages"), messages);
    if (!WriteJson(options.json, result)) {
        std::fprintf(stderr, "zelmora-render: cannot write %s\n", qPrintable(options.json));
        return 1;
    }
    return 0;
}
