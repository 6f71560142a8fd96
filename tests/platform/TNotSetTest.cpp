#include "platform/TNotSet.h"
#include "common/TestSupport.h"
#include <gtest/gtest.h>

TEST(TNotSetTest, SpellingsOfNoValue)
{
    struct Case
    {
        const char* text;
        bool is, orNull, orNullOrEmpty;
    };
    // The empty text is a path that names nothing, never "no value".
    const Case cases[] = {
        {"0", true, true, true},        {"NULL", false, true, true},
        {"Empty", false, false, true},  {"", false, false, false},
        {"null", false, false, false},  {"00", false, false, false},
        {"empty", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TNotSet::Is(c.text), c.is);
        EXPECT_EQ(TNotSet::IsOrNullWord(c.text), c.orNull);
        EXPECT_EQ(TNotSet::IsOrNullOrEmptyWord(c.text), c.orNullOrEmpty);
    }
    EXPECT_TRUE(TNotSet::Is(TNotSet::Value()));
}
