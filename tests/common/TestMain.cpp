// Every test program runs inside a QApplication on the offscreen platform, so widget tests
// can paint into images without a screen.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A host window indexes its web into the user's cache once it is up; the webs of tests
    // are temporary, so their indexes go into a cache that goes with the test program.
    QTemporaryDir cache;
    if (cache.isValid())
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
