#include "platform/TTextCodec.h"
#include <gtest/gtest.h>

TEST(TTextCodec, AcceptsWellFormedUtf8)
{
    EXPECT_TRUE(TTextCodec::IsValidUtf8(QByteArray()));
    EXPECT_TRUE(TTextCodec::IsValidUtf8("plain ascii\r\n"));
    EXPECT_TRUE(TTextCodec::IsValidUtf8(QByteArray("a\0b", 3)));
    EXPECT_TRUE(TTextCodec::IsValidUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_TRUE(TTextCodec::IsValidUtf8("\xF4\x8F\xBF\xBF")); // U+10FFFF
}

TEST(TTextCodec, RejectsMalformedUtf8)
{
    EXPECT_FALSE(TTextCodec::IsValidUtf8("caf\xE9"));          // Windows-1252 e acute
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xC3"));             // truncated at the end
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xC3x"));            // missing continuation
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\x80"));             // stray continuation
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xE0\x80\xAF"));     // overlong, three bytes
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(TTextCodec::IsValidUtf8("\xFF\xFE"));
}

TEST(TTextCodec, DecodesWindows1252IncludingTheHighControlRange)
{
    EXPECT_EQ(TTextCodec::DecodeWindows1252("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(TTextCodec::DecodeWindows1252("\x80\x93\x94\x9F"),
              QString::fromUtf8("\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x9D\xC5\xB8"));
    // Bytes the code page leaves undefined survive as their C1 controls.
    EXPECT_EQ(TTextCodec::DecodeWindows1252("\x81\x8D")[1].unicode(), 0x8D);
}

TEST(TTextCodec, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(TTextCodec::EncodeWindows1252(TTextCodec::DecodeWindows1252(all)), all);
}

TEST(TTextCodec, EncodesUnrepresentableCharactersAsOneQuestionMarkEach)
{
    EXPECT_EQ(TTextCodec::EncodeWindows1252(QString::fromUtf8("\xE2\x82\xAC\xC3\xA9")),
              QByteArray("\x80\xE9"));
    // A CJK character and a character outside the basic plane: one "?" each.
    EXPECT_EQ(TTextCodec::EncodeWindows1252(QString::fromUtf8("a\xE6\x97\xA5"
                                                              "b\xF0\x9F\x98\x80"
                                                              "c")),
              QByteArray("a?b?c"));
}

TEST(TTextCodec, DecodeChoosesTheEncodingAndDropsTheByteOrderMark)
{
    EXPECT_EQ(TTextCodec::Decode("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(TTextCodec::Decode("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(TTextCodec::Decode("\xEF\xBB\xBF[a]"), QStringLiteral("[a]"));
    // A byte-order mark in front of bytes that are not UTF-8 is just three characters.
    EXPECT_EQ(TTextCodec::Decode("\xEF\xBB\xBF\xE9").size(), 4);
}

TEST(TTextCodec, PiecesFromWithinAFileKeepEveryByteOrderMark)
{
    const QString mark(QChar(0xFEFF));
    EXPECT_EQ(TTextCodec::DecodePart("\xEF\xBB\xBF"
                                     "a"),
              mark + "a");
    EXPECT_EQ(TTextCodec::DecodePart("\xEF\xBB\xBF\xEF\xBB\xBF"
                                     "a\xEF\xBB\xBF"),
              mark + mark + "a" + mark);
    EXPECT_EQ(TTextCodec::DecodePart("\xEF\xBB\xBF"), mark);
    EXPECT_EQ(TTextCodec::DecodePart("\xEF\xBB\xBF\xE9"),
              QString::fromUtf8("\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9"));
    EXPECT_EQ(TTextCodec::DecodePart(""), QString());
}
