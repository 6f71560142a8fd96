#include "platform/TSingleInstance.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket file as a killed program leaves it: bound, nobody listening.
bool LeaveStaleSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (size_t(name.size()) >= sizeof address.sun_path) {
        ::close(fd);
        return false;
    }
    memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

} // namespace

TEST(TSingleInstanceTest, SecondClaimOfAKitAsksTheFirstToTheFront)
{
    QTemporaryDir kit, other;
    ASSERT_TRUE(kit.isValid() && other.isValid());
    int activations = 0;
    TSingleInstance first(kit.path());
    first.OnActivate = [&] { ++activations; };
    ASSERT_TRUE(first.Claim());

    TSingleInstance second(kit.path() + "/./");
    EXPECT_FALSE(second.Claim());
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 1; }, 3000));

    // Another kit runs on its own.
    TSingleInstance elsewhere(other.path());
    EXPECT_TRUE(elsewhere.Claim());
    EXPECT_NE(TSingleInstance::ServerName(kit.path()), TSingleInstance::ServerName(other.path()));
}

TEST(TSingleInstanceTest, SocketOfAKilledProgramNeverBlocks)
{
    QTemporaryDir kit;
    ASSERT_TRUE(kit.isValid());
    const QString name = TSingleInstance::ServerName(kit.path());
    ASSERT_TRUE(LeaveStaleSocket(name));
    {
        TSingleInstance start(kit.path());
        EXPECT_TRUE(start.Claim());
        // ... and it listens, so a later start finds it.
        TSingleInstance later(kit.path());
        EXPECT_FALSE(later.Claim());
    }
    // Ended normally, it leaves nothing that stops the next start.
    TSingleInstance next(kit.path());
    EXPECT_TRUE(next.Claim());
}
