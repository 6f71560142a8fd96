#pragma once
#include <QString>
#include <functional>

class QIODevice;
class TOutlineNode;

// The tab-indented text an outline is read from and written to: one item per line, its
// depth given by the tabs and spaces before its text.
class TIndentedText
{
public:
    using TLine = std::function<void(int indent, const QString& text)>;

    // The longest line the reader takes ("Line too long" beyond it).
    static constexpr int BufferSize = 4096;

    // Hands every line to line(): indent counts the leading tabs and spaces (one each),
    // text is the rest up to the carriage return. A line feed alone does not end a line;
    // byte 26 ends the data. A UTF-8 byte-order mark at the very start belongs to the
    // file, not to the first line. Errors raised by line() stop the reading.
    static void Read(QIODevice& stream, const TLine& line);
    // Writes every item below root as (Level - 1) tabs, its text (UTF-8) and CR LF; false
    // when the stream did not take all of it.
    static bool Write(QIODevice& stream, const TOutlineNode& root);
};
