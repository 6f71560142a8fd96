// libFuzzer target: arbitrary bytes as the outline's tab-indented text. Loading may refuse
// the text with an EOutlineError ("File load error", "Line too long", "Maximum outline
// depth exceeded"); any other exception, a crash or a hang is a fault. Whatever was
// loaded (all of it, or the items before the refusal) must be a sound tree: pre-order
// numbers, levels, row mapping and ItemCount agree. Saving it and loading the saved text
// into a fresh outline must give the same items, and saving again the same text. The
// stream hands the loader its bytes in pieces of a size the input chooses, so reads that
// stop short of the 4096-byte buffer are covered too. Built outside the default build;
// see README.md.
#include "components/outline/EOutlineError.h"
#include "components/outline/TColdmereCustomOutline.h"
#include "components/outline/TOutlineNode.h"
#include "components/outline/TOutlineStrings.h"
#include "platform/TMessageBox.h"
#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "OutlineLoadFuzz: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void Check(bool condition, const char* what, const QString& detail = QString())
{
    if (!condition)
        Fail(what, detail);
}

// A read-only stream that gives at most `piece` bytes per read.
class TPieceStream : public QIODevice
{
public:
    TPieceStream(const QByteArray& bytes, qint64 piece) : m_bytes(bytes), m_piece(piece)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min({maxSize, m_piece, qint64(m_bytes.size()) - m_at});
        if (n <= 0)
            return -1;
        std::memcpy(data, m_bytes.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_piece;
    qint64 m_at = 0;
};

// Loads; returns the refusal's message, or an empty text when everything loaded.
QString Load(TColdmereCustomOutline& outline, QIODevice& stream)
{
    try {
        outline.LoadFromStream(stream);
    } catch (const EOutlineError& e) {
        Check(!e.Message().isEmpty(), "refusal without a message");
        return e.Message();
    } catch (const std::exception& e) {
        Fail("unexpected exception", QString::fromUtf8(e.what()));
    } catch (...) {
        Fail("unexpected exception of an unknown type");
    }
    return QString();
}

QByteArray Save(TColdmereCustomOutline& outline)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Check(outline.SaveToStream(buffer), "save into memory failed");
    return buffer.data();
}

// Walks the tree in pre-order and checks what the outline says about each item.
void CheckTree(TColdmereCustomOutline& outline)
{
    std::vector<TOutlineNode*> order;
    std::vector<std::pair<TOutlineNode*, int>> stack{{outline.RootNode(), 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next >= node->ChildCount()) {
            stack.pop_back();
            continue;
        }
        TOutlineNode* child = node->Child(next++);
        Check(child && child->Parent() == node, "child without its parent");
        Check(child->Level() == node->Level() + 1, "wrong level");
        Check(child->Level() <= TColdmereCustomOutline::MaxLevel, "level beyond the limit");
        Check(!child->Expanded(), "loaded item expanded");
        // Indented text cannot carry such an item: saving it would change the tree.
        Check(!child->Text().startsWith(u'\t') && !child->Text().startsWith(u' '),
              "item text begins with a blank");
        order.push_back(child);
        stack.push_back({child, 0});
    }
    const int count = int(order.size());
    Check(outline.ItemCount() == count, "ItemCount differs from the items");
    Check(outline.Lines().Count() == count, "Lines count differs");
    Check(outline.SelectedItem() == (count > 0 ? 1 : 0), "first item not selected");
    // Every number from the node, sampled lookups by number.
    const int step = count > 4000 ? count / 1000 : 1;
    for (int i = 0; i < count; ++i) {
        Check(order[size_t(i)]->Index() == i + 1, "wrong pre-order number");
        if (i % step == 0) {
            Check(outline.Items(i + 1) == order[size_t(i)], "lookup by number");
            Check(outline.Lines().Get(i) ==
                      QString(order[size_t(i)]->Level() - 1, u'\t') + order[size_t(i)]->Text(),
                  "Lines text");
        }
    }
    // Collapsed: one row per top-level item. Expanded: one row per item, in pre-order.
    Check(outline.RootNode()->ExpandCount() == outline.RootNode()->ChildCount(),
          "rows of the collapsed tree");
    outline.FullExpand();
    Check(outline.RootNode()->ExpandCount() == count, "rows of the expanded tree");
    for (int r = 0; r < count; r += step)
        Check(outline.GetVisibleNode(r) == order[size_t(r)], "row mapping");
}

bool HasLineLongerThan(const QByteArray& text, qsizetype limit)
{
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf('\r', start);
        if (end < 0)
            end = text.size();
        if (end - start > limit)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "OutlineLoadFuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    // Messages are answered, never shown.
    TMessageBox::SetHook([](const TMessage&) { return TMsgResult::Ok; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The piece size comes from the input's length, so the text itself stays whole.
    static const qint64 kPieces[] = {1 << 20, 1, 7, 512, 4095, 4096, 4097};
    const qint64 piece = kPieces[size % (sizeof kPieces / sizeof *kPieces)];

    TColdmereCustomOutline first;
    first.resize(121, 97);
    TPieceStream stream(bytes, piece);
    const QString refusal = Load(first, stream);
    CheckTree(first);
    const QByteArray saved = Save(first);
    const int count = first.ItemCount();

    TColdmereCustomOutline second;
    QBuffer buffer;
    buffer.setData(saved);
    buffer.open(QIODevice::ReadOnly);
    const QString again = Load(second, buffer);
    if (!again.isEmpty()) {
        // Text read as Windows-1252 is saved as UTF-8, which may make a line too long for
        // the loader's buffer; nothing else may refuse what the outline itself wrote.
        Check(again == QLatin1String(EOutlineError::LineTooLong) && HasLineLongerThan(saved, 4000),
              "saved text refused on loading", again);
        return 0;
    }
    Check(second.ItemCount() == count, "item count changed by saving and loading",
          QStringLiteral("%1 -> %2 (first load: %3)")
              .arg(count)
              .arg(second.ItemCount())
              .arg(refusal));
    Check(Save(second) == saved, "saved text changed by saving and loading");
    CheckTree(second);
    return 0;
}
