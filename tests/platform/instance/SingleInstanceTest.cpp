#include "platform/instance/SingleInstance.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdlib>
#include <memory>

namespace {

constexpr char kChildFolder[] = "CORVANE_INSTANCE_CHILD_FOLDER";

// A Qt event loop for the sockets, and a key no other test run uses. The instances here
// keep to the lock and socket in a folder of the test's own, as where there is no bus.
class SingleInstanceTest : public testing::Test {
protected:
    // Processes events until `done` holds; false when it still does not after `limit`.
    template <typename Done>
    bool RunUntil(Done done, int limit = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return done();
    }

    int m_argc = 1;
    char m_name[16] = "instance-test";
    char* m_argv[1] = {m_name};
    QCoreApplication m_app{m_argc, m_argv};
    TempFolder m_folder;
    QString m_key = QStringLiteral("corvane-test-%1").arg(QCoreApplication::applicationPid());
    QString m_lockFolder = QString::fromStdString(m_folder.Path().string());

    [[nodiscard]] std::unique_ptr<SingleInstance> Instance() const
    {
        return std::make_unique<SingleInstance>(InstanceName{QStringLiteral("org.corvane.Test"), m_key},
                                                SingleInstance::Place{false, m_lockFolder});
    }
};

}  // namespace

TEST_F(SingleInstanceTest, LaterStartsAskTheRunningOneToRestoreAndEnd)
{
    const auto running = Instance();
    int restores = 0;
    running->SetRestoreHandler([&restores] { ++restores; });
    ASSERT_EQ(running->Claim(), SingleInstance::Role::Primary);

    for (int start = 1; start <= 2; ++start) {
        const auto later = Instance();
        EXPECT_EQ(later->Claim(), SingleInstance::Role::Secondary);
        EXPECT_TRUE(RunUntil([&] { return restores == start; })) << start;
    }
}

TEST_F(SingleInstanceTest, TheNextStartAfterTheRunningOneEndedRunsTheProgram)
{
    auto first = Instance();
    ASSERT_EQ(first->Claim(), SingleInstance::Role::Primary);
    first.reset();
    EXPECT_EQ(Instance()->Claim(), SingleInstance::Role::Primary);
}

#ifndef _WIN32
// The fallback's socket is a file only where it is a Unix socket; Windows' is a named pipe.
TEST_F(SingleInstanceTest, ALaterStartThatCannotReachTheRunningOneSaysWhy)
{
    const auto running = Instance();
    ASSERT_EQ(running->Claim(), SingleInstance::Role::Primary);
    // The socket is gone (removed by someone else); the lock is still held.
    const QString socket = QDir(m_lockFolder).filePath(m_key + QStringLiteral(".socket"));
    ASSERT_TRUE(QFileInfo::exists(socket));
    ASSERT_TRUE(QFile::remove(socket));

    const auto later = Instance();
    EXPECT_EQ(later->Claim(), SingleInstance::Role::Unreachable);
    EXPECT_TRUE(later->Problem().contains(m_key + QStringLiteral(".lock"))) << later->Problem().toStdString();
}
#endif

TEST_F(SingleInstanceTest, ALockAndSocketLeftByACrashedRunDoNotBlockTheNextStart)
{
    // A start of this test binary claims the instance and dies without cleaning up.
    QProcess crashing;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildFolder), m_lockFolder);
    environment.insert(QStringLiteral("CORVANE_INSTANCE_CHILD_KEY"), m_key);
    crashing.setProcessEnvironment(environment);
    crashing.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=SingleInstanceChild.ClaimsAndDiesWithoutCleaningUp")});
    ASSERT_TRUE(crashing.waitForFinished(30000));
    ASSERT_EQ(crashing.exitCode(), 3) << crashing.readAllStandardError().toStdString();
    ASSERT_TRUE(QFileInfo::exists(QDir(m_lockFolder).filePath(m_key + QStringLiteral(".lock"))));
#ifndef _WIN32
    // Windows' named pipe ends with the process that made it; a Unix socket stays a file.
    ASSERT_TRUE(QFileInfo::exists(QDir(m_lockFolder).filePath(m_key + QStringLiteral(".socket"))));
#endif

    const auto next = Instance();
    int restores = 0;
    next->SetRestoreHandler([&restores] { ++restores; });
    EXPECT_EQ(next->Claim(), SingleInstance::Role::Primary);
    const auto later = Instance();
    EXPECT_EQ(later->Claim(), SingleInstance::Role::Secondary);
    EXPECT_TRUE(RunUntil([&] { return restores == 1; }));
}

// Run only as the crashed program of the test above.
TEST(SingleInstanceChild, ClaimsAndDiesWithoutCleaningUp)
{
    const char* folder = std::getenv(kChildFolder);
    const char* key = std::getenv("CORVANE_INSTANCE_CHILD_KEY");
    if (folder == nullptr || key == nullptr)
        GTEST_SKIP() << "the crashing program of another test";
    int argc = 1;
    char name[] = "instance-child";
    char* argv[] = {name};
    QCoreApplication app(argc, argv);
    SingleInstance instance(InstanceName{QStringLiteral("org.corvane.Test"), QString::fromUtf8(key)},
                            SingleInstance::Place{false, QString::fromUtf8(folder)});
    if (instance.Claim() != SingleInstance::Role::Primary)
        std::_Exit(2);
    std::_Exit(3);  // no destructor runs: the lock file and the socket stay
}
