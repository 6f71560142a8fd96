#include "TLauncher.h"
#include "TPath.h"
#include <QFile>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <thread>

namespace {

TLauncher::Hook g_hook;

// The canonical path with every symbolic link followed, or "" when there is none.
QByteArray RealPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    char* real = ::realpath(QFile::encodeName(path).constData(), nullptr);
    if (!real)
        return {};
    QByteArray result(real);
    std::free(real);
    return result;
}

bool IsInside(const QByteArray& real, const QByteArray& folder)
{
    if (folder == "/")
        return real.startsWith('/');
    return real.startsWith(folder + '/');
}

} // namespace

void TLauncher::PlaySound(const QString& file)
{
    const TLaunchRequest request{TLaunchRequest::Sound, file, {}};
    if (g_hook) {
        g_hook(request);
        return;
    }
    // Only a regular file: opening a named pipe or a device would block the player's loader
    // for good, and every later sound and the program's exit would wait for it.
    const QString path = TPath::Resolve(file);
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    // One effect at a time, like the original's asynchronous player: a new sound stops
    // the one playing. An effect still loading is left to finish on its own: stopping or
    // re-pointing it waits for its loader, which a slow medium can hold for long.
    static QSoundEffect* effect = nullptr;
    if (effect && effect->status() == QSoundEffect::Loading)
        effect = nullptr;
    if (!effect)
        effect = new QSoundEffect();
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}

void TLauncher::EndProcessWithin(int milliseconds, int exitCode)
{
    // The sound library's tear-down at exit waits for its loader thread; a loader stuck on
    // a slow or hung medium must not keep the process alive after the user asked it to end.
    std::thread([milliseconds, exitCode] {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }).detach();
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

QString TLauncher::TrustedProgram(const QString& program, const QStringList& trustedFolders)
{
    const QByteArray real = RealPath(TPath::Resolve(program));
    struct stat st;
    if (real.isEmpty() || ::stat(real.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    bool inside = false;
    for (const QString& folder : trustedFolders) {
        const QByteArray realFolder = RealPath(TPath::Resolve(folder));
        if (!realFolder.isEmpty() && IsInside(real, realFolder)) {
            inside = true;
            break;
        }
    }
    struct statvfs fs;
    if (!inside || ::statvfs(real.constData(), &fs) != 0 || (fs.f_flag & ST_NOEXEC))
        return {};
    return QFile::decodeName(real);
}

bool TLauncher::StartWebProgram(const QString& program, const QStringList& arguments,
                                const QStringList& trustedFolders)
{
    const QString real = TrustedProgram(program, trustedFolders);
    if (real.isEmpty())
        return false;
    return StartProgram(real, arguments);
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
