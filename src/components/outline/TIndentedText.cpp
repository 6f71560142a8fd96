#include "components/outline/TIndentedText.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TOutlineNode.h"
#include "platform/TTextCodec.h"
#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr char kEndOfData = 26;
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

void TIndentedText::Read(QIODevice& stream, const TLine& line)
{
    // One byte beyond the buffer holds the end-of-data mark.
    std::vector<char> buffer(BufferSize + 1);
    char* buf = buffer.data();
    int filled = 0;
    bool exhausted = false;
    bool skipLineFeed = false; // the last chunk ended on a carriage return
    bool done = false;
    bool firstChunk = true;
    while (!done) {
        while (filled < BufferSize && !exhausted) {
            const qint64 got = stream.read(buf + filled, BufferSize - filled);
            if (got <= 0)
                exhausted = true;
            else
                filled += int(got);
        }
        int end;
        if (exhausted) {
            buf[filled] = kEndOfData;
            end = filled + 1;
        } else {
            const char* cr = nullptr;
            for (int i = filled - 1; i >= 0; --i) {
                if (buf[i] == '\r') {
                    cr = buf + i;
                    break;
                }
            }
            if (!cr)
                EOutlineError::Raise(EOutlineError::LineTooLong);
            end = int(cr - buf) + 1;
            if (end < filled && buf[end] == '\n')
                ++end;
        }
        int pos = 0;
        // A byte-order mark opens the file, not the first line: its indentation follows.
        if (firstChunk && end >= 3 && std::memcmp(buf, kByteOrderMark, 3) == 0)
            pos = 3;
        firstChunk = false;
        if (skipLineFeed && pos < end && buf[pos] == '\n')
            ++pos;
        skipLineFeed = false;
        while (pos < end) {
            if (buf[pos] == kEndOfData) {
                done = true;
                break;
            }
            int indent = 0;
            while (buf[pos] == '\t' || buf[pos] == ' ') {
                ++indent;
                ++pos;
            }
            const int start = pos;
            while (buf[pos] != '\r' && buf[pos] != kEndOfData)
                ++pos;
            const QString text = TTextCodec::DecodePart(QByteArray(buf + start, pos - start));
            if (buf[pos] == '\r') {
                ++pos;
                if (pos < end && buf[pos] == '\n')
                    ++pos;
                else if (pos == end && !exhausted)
                    skipLineFeed = true;
            }
            line(indent, text);
        }
        if (exhausted)
            done = true;
        std::memmove(buf, buf + end, size_t(filled - end > 0 ? filled - end : 0));
        filled = std::max(0, filled - end);
    }
}

bool TIndentedText::Write(QIODevice& stream, const TOutlineNode& root)
{
    QByteArray out;
    bool ok = true;
    auto flush = [&] {
        if (!out.isEmpty() && stream.write(out) != out.size())
            ok = false;
        out.clear();
    };
    // The reader takes a mark at the very start for the file's own, so a first item whose
    // text begins with one gets a file mark in front of it.
    if (root.HasItems() && root.Child(0)->Text().startsWith(QChar(0xFEFF)))
        out.append(kByteOrderMark, 3);
    std::vector<std::pair<const TOutlineNode*, int>> stack{{&root, 0}};
    while (!stack.empty() && ok) {
        auto& [n, next] = stack.back();
        if (next >= n->ChildCount()) {
            stack.pop_back();
            continue;
        }
        const TOutlineNode* child = n->Child(next++);
        out.append(QByteArray(child->Level() - root.Level() - 1, '\t'));
        out.append(child->Text().toUtf8());
        out.append("\r\n", 2);
        if (out.size() >= 65536)
            flush();
        if (child->HasItems())
            stack.push_back({child, 0});
    }
    flush();
    return ok;
}
