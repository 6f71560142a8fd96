#include "TLauncher.h"
#include "TPath.h"
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>

namespace {
TLauncher::Hook g_hook;
}

void TLauncher::PlaySound(const QString& file)
{
    const TLaunchRequest request{TLaunchRequest::Sound, file, {}};
    if (g_hook) {
        g_hook(request);
        return;
    }
    // One effect at a time, like the original's asynchronous player: a new sound stops
    // the one playing.
    static QSoundEffect* effect = nullptr;
    if (!effect)
        effect = new QSoundEffect();
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(TPath::Resolve(file)));
    effect->play();
}

bool TLauncher::StartProgram(const QString& program, const QStringList& arguments)
{
    const TLaunchRequest request{TLaunchRequest::Program, program, arguments};
    if (g_hook) {
        g_hook(request);
        return true;
    }
    return QProcess::startDetached(TPath::Resolve(program), arguments);
}

bool TLauncher::OpenInMediaPlayer(const QString& file)
{
    const TLaunchRequest request{
        TLaunchRequest::MediaPlayer, QStringLiteral("xdg-open"), {TPath::Resolve(file)}};
    if (g_hook) {
        g_hook(request);
        return true;
    }
    return QProcess::startDetached(request.program, request.arguments);
}

QStringList TLauncher::SplitParameters(const QString& parameters)
{
    QStringList result;
    QString current;
    bool inQuotes = false, haveToken = false;
    for (const QChar c : parameters) {
        if (c == u'"') {
            inQuotes = !inQuotes;
            haveToken = true;
        } else if (!inQuotes && (c == u' ' || c == u'\t')) {
            if (haveToken)
                result << current;
            current.clear();
            haveToken = false;
        } else {
            current += c;
            haveToken = true;
        }
    }
    if (haveToken)
        result << current;
    return result;
}

void TLauncher::SetHook(Hook hook) { g_hook = std::move(hook); }
