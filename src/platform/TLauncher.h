#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// Sounds, programs and the media player. Programs start with an argument list, never
// through a shell, so no file name or parameter can inject a command.
struct TLaunchRequest
{
    enum Kind { Sound, Program, MediaPlayer };
    Kind kind = Sound;
    QString program; // the sound file, the program, or the desktop's opener
    QStringList arguments;
};

class TLauncher
{
public:
    using Hook = std::function<void(const TLaunchRequest&)>;

    // Plays asynchronously; failures are ignored, and anything but a regular file (a named
    // pipe, a device) is not played at all. Never waits for an earlier sound's loading.
    static void PlaySound(const QString& file);
    // Called once the program is ending: from now on the process ends within the given
    // time with the given code, even when a player thread is stuck and would hold up the
    // normal tear-down.
    static void EndProcessWithin(int milliseconds, int exitCode);
    // Starts a detached process; false when it could not be started.
    static bool StartProgram(const QString& program, const QStringList& arguments);
    // A program named by a web: started (by its real path) only when TrustedProgram accepts
    // it; otherwise nothing starts, as for a missing program, and the result is false.
    static bool StartWebProgram(const QString& program, const QStringList& arguments,
                                const QStringList& trustedFolders);
    // The real path of the program (letter case resolved, every symbolic link followed)
    // when it is a regular file inside one of the trusted folders and its file system
    // allows programs to run; "" otherwise. A link named "x.exe" that points at a shell
    // elsewhere, or anything on a medium mounted without execution, is refused.
    static QString TrustedProgram(const QString& program, const QStringList& trustedFolders);
    // Hands a media file to the desktop's opener (xdg-open) as one argument.
    static bool OpenInMediaPlayer(const QString& file);

    // Splits parameters like a command line: blanks separate, double quotes group.
    static QStringList SplitParameters(const QString& parameters);

    // With a hook installed, requests go to the hook instead of being carried out.
    static void SetHook(Hook hook);
};
