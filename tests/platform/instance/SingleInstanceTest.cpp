#include "platform/instance/SingleInstance.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>

#include <cstdlib>

namespace {

constexpr char kChildFolder[] = "CORVANE_INSTANCE_CHILD_FOLDER";

// A Qt event loop for the sockets, and a key no other test run uses.
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
};

}  // namespace

TEST_F(SingleInstanceTest, LaterStartsAskTheRunningOneToRestoreAndEnd)
{
    SingleInstance running(m_key, m_lockFolder);
    int restores = 0;
    running.SetRestoreHandler([&restores] { ++restores; });
    ASSERT_EQ(running.Claim(), SingleInstance::Role::Primary);

    for (int start = 1; start <= 2; ++start) {
        SingleInstance later(m_key, m_lockFolder);
        EXPECT_EQ(later.Claim(), SingleInstance::Role::Secondary);
        EXPECT_TRUE(RunUntil([&] { return restores == start; })) << start;
    }
}

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

    SingleInstance next(m_key, m_lockFolder);
    int restores = 0;
    next.SetRestoreHandler([&restores] { ++restores; });
    EXPECT_EQ(next.Claim(), SingleInstance::Role::Primary);
    SingleInstance later(m_key, m_lockFolder);
    EXPECT_EQ(later.Claim(), SingleInstance::Role::Secondary);
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
    SingleInstance instance(QString::fromUtf8(key), QString::fromUtf8(folder));
    if (instance.Claim() != SingleInstance::Role::Primary)
        std::_Exit(2);
    std::_Exit(3);  // no destructor runs: the lock file and the socket stay
}
