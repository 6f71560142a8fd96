#include "browse/TLinkActivation.h"
#include "common/TestSupport.h"
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The view expands relative targets against the folder of the current document and drops
// a "FILE:" prefix; that is all the decision needs of it.
QString Expand(const QString& target)
{
    QString t = target;
    if (t.startsWith("FILE:", Qt::CaseInsensitive))
        t = t.mid(5);
    if (t.startsWith('/'))
        return t;
    return "/web/docs/" + t;
}

TLinkAction Decide(const QString& src, QSet<QString> files = {})
{
    return TLinkActivation::Decide(src, Expand,
                                   [files](const QString& f) { return files.contains(f); });
}

} // namespace

TEST(TLinkActivationTest, EmptyAndInPageLinks)
{
    EXPECT_EQ(Decide("").kind, TLinkAction::None);
    TLinkAction a = Decide("#Intro");
    EXPECT_EQ(a.kind, TLinkAction::Heading);
    EXPECT_EQ(a.heading, "Intro");
    EXPECT_EQ(Decide("#intro").heading, "intro"); // the outliner compares with case
}

TEST(TLinkActivationTest, FileFormLinks)
{
    EXPECT_TRUE(TLinkActivation::IsFileForm("C:\\music\\theme.wav"));
    EXPECT_TRUE(TLinkActivation::IsFileForm("FILE:/music/theme.wav"));
    EXPECT_TRUE(TLinkActivation::IsFileForm("/music/theme.wav"));
    EXPECT_FALSE(TLinkActivation::IsFileForm("file:/music/theme.wav")); // only "FILE:" in capitals
    EXPECT_FALSE(TLinkActivation::IsFileForm("sounds/theme.wav"));
    EXPECT_FALSE(TLinkActivation::IsFileForm("http://example/x.htm"));

    // Absolute sounds play whether or not the file exists (the player ignores failures).
    TLinkAction a = Decide("/music/theme.wav");
    EXPECT_EQ(a.kind, TLinkAction::Sound);
    EXPECT_EQ(a.file, "/music/theme.wav");
    a = Decide("FILE:/music/theme.WAV");
    EXPECT_EQ(a.kind, TLinkAction::Sound);
    EXPECT_EQ(a.file, "/music/theme.WAV");
}

TEST(TLinkActivationTest, ProgramsGetTheirParametersAsArguments)
{
    TLinkAction a = Decide("/opt/x/tool.exe a b");
    EXPECT_EQ(a.kind, TLinkAction::Program);
    EXPECT_EQ(a.file, "/opt/x/tool.exe");
    EXPECT_EQ(a.arguments, (QStringList{"a", "b"}));
    // Shell characters are only text in an argument.
    a = Decide("/opt/x/tool.exe \"a b\";rm -rf ~");
    EXPECT_EQ(a.arguments, (QStringList{"a b;rm", "-rf", "~"}));
    a = Decide("/opt/x/tool.exe?query");
    EXPECT_EQ(a.file, "/opt/x/tool.exe");
    EXPECT_EQ(a.arguments, QStringList{"query"});
    // A file whose own name has blanks keeps them when it exists as a whole.
    a = Decide("/media/my clip.avi", {"/media/my clip.avi"});
    EXPECT_EQ(a.kind, TLinkAction::MediaPlayer);
    EXPECT_EQ(a.file, "/media/my clip.avi");
}

TEST(TLinkActivationTest, RelativeLinksDependOnTheFileExisting)
{
    // A clip beside the current document goes to the media player with its full path.
    TLinkAction a = Decide("clip.avi", {"/web/docs/clip.avi"});
    EXPECT_EQ(a.kind, TLinkAction::MediaPlayer);
    EXPECT_EQ(a.file, "/web/docs/clip.avi");
    EXPECT_EQ(Decide("tune.MID", {"/web/docs/tune.MID"}).kind, TLinkAction::MediaPlayer);
    // Another document keeps its destination for the view.
    a = Decide("other.html#Part2", {"/web/docs/other.html"});
    EXPECT_EQ(a.kind, TLinkAction::Document);
    EXPECT_EQ(a.document, "/web/docs/other.html#Part2");
    EXPECT_EQ(Decide("Other.HTM", {"/web/docs/Other.HTM"}).kind, TLinkAction::Document);
    // A missing document is left to the view, and so is an existing text file.
    EXPECT_EQ(Decide("missing.htm").kind, TLinkAction::None);
    EXPECT_EQ(Decide("notes.txt", {"/web/docs/notes.txt"}).kind, TLinkAction::None);
    // Only the text after the last "." counts.
    EXPECT_EQ(Decide("archive.wav.txt", {"/web/docs/archive.wav.txt"}).kind, TLinkAction::None);
}
