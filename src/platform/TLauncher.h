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

    // Plays asynchronously; failures are ignored.
    static void PlaySound(const QString& file);
    // Starts a detached process; false when it could not be started.
    static bool StartProgram(const QString& program, const QStringList& arguments);
    // Hands a media file to the desktop's opener (xdg-open) as one argument.
    static bool OpenInMediaPlayer(const QString& file);

    // Splits parameters like a command line: blanks separate, double quotes group.
    static QStringList SplitParameters(const QString& parameters);

    // With a hook installed, requests go to the hook instead of being carried out.
    static void SetHook(Hook hook);
};
