#include "platform/TFailureReport.h"
#include "common/TestSupport.h"
#include "platform/EError.h"
#include <gtest/gtest.h>

namespace {

template <typename Failure>
TMessage Reported(Failure failure)
{
    TMessageCapture messages;
    try {
        throw failure;
    } catch (...) {
        TFailureReport::ShowCurrent();
    }
    EXPECT_EQ(messages.Messages().size(), 1u);
    return messages.Messages().empty() ? TMessage{} : messages.Messages()[0];
}

} // namespace

TEST(TFailureReportTest, ShowsTheFailuresOwnTextUnderError)
{
    const TMessage own = Reported(EInOutError(QStringLiteral("Can't locate file: Zoë.htm")));
    EXPECT_EQ(own.text, QStringLiteral("Can't locate file: Zoë.htm"));
    EXPECT_EQ(own.caption, "Error");
    EXPECT_EQ(own.icon, TMsgIcon::Warning);
    EXPECT_EQ(Reported(std::runtime_error("disk full")).text, "disk full");
    EXPECT_EQ(Reported(42).text, "Unexpected error");
    EXPECT_EQ(Reported(42).caption, "Error");
}
