#pragma once
#include "html/THtmlPage.h"
#include "html/THtmlRewriter.h"
#include <QString>

class QFile;

struct THtmlSettings;

// Reads a document from disk into a page: decoding, rewriting, and pictures shown as a
// document of their own.
class THtmlPageLoader
{
public:
    // A document larger than this is shown up to here, with a note saying so: the engine
    // needs some seventy times a document's size in memory and seconds per megabyte.
    static constexpr qint64 kMaxDocumentBytes = 16 * 1024 * 1024;
    // Linked style sheets larger than this, or beyond this many, are not read.
    static constexpr qint64 kMaxStyleSheetBytes = 256 * 1024;
    static constexpr int kMaxStyleSheets = 16;

    // path must name an existing file (case already resolved); nameForMessage is what a
    // failure names. Throws EInOutError ("Can't locate file: " + nameForMessage) when the
    // file cannot be read.
    static THtmlPage Load(const QString& path, const QString& nameForMessage,
                          const THtmlSettings& settings);

    // The bytes of an open document, cut at a line end before kMaxDocumentBytes when it is
    // longer (shortened says so); failed when nothing could be read.
    static QByteArray ReadLimited(QFile& file, bool* shortened, bool* failed);

    // The markup of a document, rewritten with the settings' fonts and colours.
    static THtmlPage FromText(const QString& text, const THtmlSettings& settings);
    // A page showing just the picture in path.
    static THtmlPage PicturePage(const QString& path);
    // A page showing a short message (a frame whose document is missing).
    static THtmlPage MessagePage(const QString& message, const THtmlSettings& settings);

private:
    // A linked style sheet, found beside the document in any letter case, made ready for
    // the engine; empty when it cannot be read.
    static QString ReadStyleSheet(const QString& href, const QString& path,
                                  const THtmlRewriter::TOptions& options);
    static THtmlRewriter::TOptions Options(const THtmlSettings& settings);
};
