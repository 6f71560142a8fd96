#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// What a click on a link means: a heading of the page, another document, a sound, the
// media player, a program, or nothing (left to the view). Pure decision, so it can be
// tested without a window.
struct TLinkAction
{
    enum Kind { None, Heading, Document, Sound, Program, MediaPlayer };
    Kind kind = None;
    QString heading;       // Heading: the text after "#"
    QString document;      // Document: the expanded target, "#" destination kept
    QString file;          // Sound, Program, MediaPlayer: the file without destination
    QStringList arguments; // Program: its parameters, split like a command line
};

class TLinkActivation
{
public:
    using Expand = std::function<QString(const QString& target)>;
    using Exists = std::function<bool(const QString& file)>;

    // expand turns a link target into a full file name (the view's HTMLExpandFilename);
    // exists tells whether a file exists.
    static TLinkAction Decide(const QString& SRC, const Expand& expand, const Exists& exists);

    // A link in file form names a file directly: a drive letter, "FILE:", or an absolute path.
    static bool IsFileForm(const QString& SRC);
};
