#include "OutlineTestPrint.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TOutlineStrings.h"
#include "components/outline/TOutlineTree.h"
#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QString LoadError(TOutlineTree& o, const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    try {
        o.LoadFromStream(buffer);
    } catch (const EOutlineError& e) {
        return e.Message();
    }
    return QString();
}

QByteArray Save(TOutlineTree& o)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(o.SaveToStream(buffer));
    return data;
}

} // namespace

TEST(TOutlineStream, LoadsTabIndentedLinesAllCollapsed)
{
    TOutlineTree o;
    ASSERT_EQ(LoadError(o, "A\r\n\tB\r\n\t\tC\r\nD\r\n"), "");
    ASSERT_EQ(o.ItemCount(), 4);
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{"A", "\tB", "\t\tC", "D"}));
    EXPECT_EQ(o.Items(2)->Parent(), o.Items(1));
    EXPECT_EQ(o.Items(3)->Parent(), o.Items(2));
    EXPECT_EQ(o.Items(4)->Level(), 1);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(o.Items(i)->Expanded());
    EXPECT_EQ(o.VisibleNodeCount(), 2);
    // The first item is selected, wherever the view's row stands.
    EXPECT_EQ(o.SelectedItem(1), 1);
}

TEST(TOutlineStream, IndentationRules)
{
    TOutlineTree o;
    // The first line is Level 1 whether it has no tab or one; spaces count like tabs.
    ASSERT_EQ(LoadError(o, "\tA\r\n\tB\r\n  C\r\n"), "");
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{"A", "B", "\tC"}));
    // A line feed alone does not end a line; an empty line is an item without text.
    ASSERT_EQ(LoadError(o, "A\nB\r\n\r\nC"), "");
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{"A\nB", "", "C"}));
    // An empty stream gives an empty outline.
    ASSERT_EQ(LoadError(o, ""), "");
    EXPECT_EQ(o.ItemCount(), 0);
    EXPECT_EQ(o.SelectedItem(0), 0);
}

TEST(TOutlineStream, LastLineWithoutLineEndAndEndOfDataByte)
{
    TOutlineTree o;
    ASSERT_EQ(LoadError(o, "A\r\n\tB"), "");
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{"A", "\tB"}));
    // Byte 26 ends the data wherever it stands.
    ASSERT_EQ(LoadError(o, QByteArray("A\r\nB\x1a\r\nC\r\n")), "");
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{"A", "B"}));
}

TEST(TOutlineStream, ByteOrderMarkOpensTheFileAndIsTextElsewhere)
{
    TOutlineTree o;
    // The file's mark comes before the first line's indentation; one inside the file is
    // a character of its item, so the tabs after it are text too.
    ASSERT_EQ(LoadError(o, "\xEF\xBB\xBF"
                           "A\r\n\tB\r\n\xEF\xBB\xBF\tC\r\n"),
              "");
    ASSERT_EQ(o.ItemCount(), 3);
    EXPECT_EQ(o.Items(1)->Text(), "A");
    EXPECT_EQ(o.Items(2)->Level(), 2);
    EXPECT_EQ(o.Items(3)->Level(), 1);
    EXPECT_EQ(o.Items(3)->Text(), QString(QChar(0xFEFF)) + "\tC");
    const QByteArray saved = Save(o);
    EXPECT_EQ(saved, "A\r\n\tB\r\n\xEF\xBB\xBF\tC\r\n");

    // A first item that begins with the mark keeps it through saving and loading.
    ASSERT_EQ(LoadError(o, "\xEF\xBB\xBF\xEF\xBB\xBF"
                           "A\r\n\tB\r\n"),
              "");
    EXPECT_EQ(o.Items(1)->Text(), QString(QChar(0xFEFF)) + "A");
    const QByteArray marked = Save(o);
    ASSERT_EQ(LoadError(o, marked), "");
    EXPECT_EQ(o.Items(1)->Text(), QString(QChar(0xFEFF)) + "A");
    EXPECT_EQ(o.Items(2)->Parent(), o.Items(1));
    EXPECT_EQ(Save(o), marked);
}

TEST(TOutlineStream, IndentationErrorsKeepWhatWasLoaded)
{
    TOutlineTree o;
    EXPECT_EQ(LoadError(o, "A\r\n\tB\r\n\t\t\tC\r\nD\r\n"), "File load error");
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{"A", "\tB"}));
    EXPECT_EQ(o.VisibleNodeCount(), 1);
    EXPECT_EQ(LoadError(o, "\t\tA\r\n"), "File load error");
    EXPECT_EQ(o.ItemCount(), 0);
    // Climbing above the top level.
    EXPECT_EQ(LoadError(o, "\tA\r\nB\r\n"), "File load error");
    EXPECT_EQ(o.ItemCount(), 1);
}

TEST(TOutlineStream, LineTooLong)
{
    TOutlineTree o;
    QByteArray data = "A\r\n" + QByteArray(5000, 'x') + "\r\nB\r\n";
    EXPECT_EQ(LoadError(o, data), "Line too long");
    EXPECT_EQ(o.ItemCount(), 1);
    // A long last line that still fits loads.
    EXPECT_EQ(LoadError(o, "A\r\n" + QByteArray(4000, 'y')), "");
    EXPECT_EQ(o.Items(2)->Text(), QString(4000, QLatin1Char('y')));
}

TEST(TOutlineStream, DepthLimitApplies)
{
    TOutlineTree o;
    QByteArray data;
    for (int i = 0; i < 256; ++i)
        data += QByteArray(i, '\t') + "L" + QByteArray::number(i + 1) + "\r\n";
    ASSERT_EQ(LoadError(o, data), "");
    EXPECT_EQ(o.Items(256)->Level(), 256);
    data += QByteArray(256, '\t') + "too deep\r\n";
    EXPECT_EQ(LoadError(o, data), "Maximum outline depth exceeded");
    EXPECT_EQ(o.ItemCount(), 256);
}

TEST(TOutlineStream, SavesIndentedTextWithCrLf)
{
    TOutlineTree o;
    o.AddChild(0, "A");
    o.AddChild(1, "B");
    o.AddChild(2, "C");
    o.AddChild(0, "D");
    EXPECT_EQ(Save(o), QByteArray("A\r\n\tB\r\n\t\tC\r\nD\r\n"));
    TOutlineTree empty;
    EXPECT_EQ(Save(empty), QByteArray());
}

TEST(TOutlineStream, RoundTripAcrossManyBuffersKeepsEveryText)
{
    // Line lengths vary so that line ends fall on every position of the 4096-byte buffer,
    // including a carriage return as its last byte with the line feed in the next fill.
    QStringList expected;
    int level = 1;
    for (int i = 0; i < 3000; ++i) {
        level = i == 0 ? 1 : std::clamp(level + (i * 7 % 5) - 2, 1, std::min(level + 1, 6));
        QString text =
            QStringLiteral("item %1 ").arg(i) + QString(i % 61, QLatin1Char('a' + i % 26));
        if (i % 11 == 0)
            text += QStringLiteral(" \u00e9\u4e2d\U0001F600"); // any Unicode survives
        expected << QString(level - 1, QLatin1Char('\t')) + text;
    }
    TOutlineTree o;
    o.Lines().Assign(expected);
    ASSERT_EQ(o.Lines().ToStringList(), expected);
    const QByteArray bytes = Save(o);
    ASSERT_GT(bytes.size(), 4 * 4096);
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    TOutlineTree copy;
    ASSERT_EQ(LoadError(copy, bytes), "");
    EXPECT_EQ(copy.Lines().ToStringList(), expected);
    EXPECT_EQ(Save(copy), bytes);
}

TEST(TOutlineStream, CarriageReturnAtTheEndOfABufferLosesNoLineFeed)
{
    // The first line's carriage return is byte 4095, the last byte of the first fill.
    TOutlineTree o;
    QByteArray data = QByteArray(4095, 'a') + "\r\n" + "\tB\r\nC\r\n";
    ASSERT_EQ(LoadError(o, data), "");
    EXPECT_EQ(o.Lines().ToStringList(), (QStringList{QString(4095, QLatin1Char('a')), "\tB", "C"}));
}
