#include "ctl/CtlCommands.h"
#include "ctl/RunningProgram.h"

#include "device/DeviceLinkFixture.h"

#include <sstream>

namespace {

// A program that runs, as corvanectl reaches it over the bus: it records what it is asked.
class FakeProgram final : public RunningProgram {
public:
    std::string Name() const override { return "org.corvane.Corvane.Sim_0123456789abcdef"; }
    std::optional<Status> ReadStatus(std::string& problem) override
    {
        ++statusReads;
        if (!answers) {
            problem = "no reply";
            return std::nullopt;
        }
        return status;
    }
    bool Call(const std::string& method, std::uint32_t value, std::string& problem) override
    {
        calls.emplace_back(method, value);
        if (!refusal.empty()) {
            problem = refusal;
            return false;
        }
        return true;
    }

    Status status{57, 1, "receiver", 2, "Work", 3, 2400, 500};
    bool answers = true;
    std::string refusal;
    int statusReads = 0;
    std::vector<std::pair<std::string, std::uint32_t>> calls;
};

struct CtlRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// corvanectl beside a running program (or none), with the simulated mouse it would open
// when none runs.
class CtlRunningProgramTest : public DeviceLinkFixture {
protected:
    CtlRunningProgramTest() { ctlMouse.Plug(LinkKind::Wired); }

    CtlRun Run(const std::vector<std::string>& arguments)
    {
        std::ostringstream out;
        std::ostringstream err;
        CtlEnvironment environment;
        environment.defaultDataFolder = folder.Path();
        environment.simulatedMouse = &ctlMouse;
        environment.clock = &clock;
        environment.findRunningProgram = [this](bool simulate, const std::filesystem::path& dataFolder)
            -> std::unique_ptr<RunningProgram> {
            askedSimulate = simulate;
            askedFolder = dataFolder;
            if (!running)
                return nullptr;
            auto program = std::make_unique<FakeProgram>();
            program->refusal = refusal;
            program->answers = answers;
            last = program.get();
            kept = std::move(program);
            return std::make_unique<Forwarding>(*last);
        };
        const int code = RunCtl(arguments, environment, out, err);
        return {code, out.str(), err.str()};
    }

    // Hands the calls to the program the test keeps, so they can be read afterwards.
    class Forwarding final : public RunningProgram {
    public:
        explicit Forwarding(FakeProgram& program) : m_program(program) {}
        std::string Name() const override { return m_program.Name(); }
        std::optional<Status> ReadStatus(std::string& problem) override { return m_program.ReadStatus(problem); }
        bool Call(const std::string& method, std::uint32_t value, std::string& problem) override
        {
            return m_program.Call(method, value, problem);
        }

    private:
        FakeProgram& m_program;
    };

    SimulatedMouse ctlMouse{clock};
    bool running = true;
    bool answers = true;
    std::string refusal;
    std::unique_ptr<FakeProgram> kept;
    FakeProgram* last = nullptr;
    bool askedSimulate = false;
    std::filesystem::path askedFolder;
};

}  // namespace

TEST_F(CtlRunningProgramTest, StatusAsksTheRunningProgramAndLeavesTheMouseAlone)
{
    const CtlRun run = Run({"status", "--simulate", "--data-dir", "/some/folder"});
    ASSERT_EQ(run.exitCode, CtlExit::kDone) << run.err;
    EXPECT_EQ(run.out,
              "link in charge: wireless\n"
              "battery: 57 % (charging)\n"
              "profile: 2 (Work)\n"
              "DPI level: 3\n"
              "DPI: 2400\n"
              "polling rate: 500Hz\n"
              "source: the running program, org.corvane.Corvane.Sim_0123456789abcdef\n");
    EXPECT_TRUE(askedSimulate);
    EXPECT_EQ(askedFolder, "/some/folder");
    EXPECT_TRUE(ctlMouse.Received().empty());

    // Without --data-dir the user's data folder names the run.
    (void)Run({"status"});
    EXPECT_FALSE(askedSimulate);
    EXPECT_EQ(askedFolder, folder.Path());

    answers = false;
    const CtlRun silent = Run({"status", "--simulate"});
    EXPECT_EQ(silent.exitCode, CtlExit::kRefused);
    EXPECT_NE(silent.err.find("does not answer: no reply"), std::string::npos) << silent.err;
    EXPECT_TRUE(ctlMouse.Received().empty());
}

TEST_F(CtlRunningProgramTest, SetCallsTheProgramsMethodWithTheValue)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string method;
        std::uint32_t value;
    };
    const Case cases[] = {
        {{"set", "dpi-level", "4"}, "SetDpiLevel", 4},
        {{"set", "rate", "250", "--simulate"}, "SetPollingRate", 250},
        {{"set", "profile", "0", "--data-dir", "/d"}, "SwitchProfile", 0},
        {{"--simulate", "set", "profile", "3"}, "SwitchProfile", 3},
    };
    for (const Case& test : cases) {
        const CtlRun run = Run(test.arguments);
        EXPECT_EQ(run.exitCode, CtlExit::kDone) << test.method << ": " << run.err;
        ASSERT_NE(last, nullptr);
        ASSERT_EQ(last->calls.size(), 1U) << test.method;
        EXPECT_EQ(last->calls[0], std::make_pair(test.method, test.value));
    }
    EXPECT_TRUE(ctlMouse.Received().empty());

    refusal = "DPI level 9 does not exist; the levels are 1 to 8";
    const CtlRun refused = Run({"set", "dpi-level", "9"});
    EXPECT_EQ(refused.exitCode, CtlExit::kRefused);
    EXPECT_NE(refused.err.find(refusal), std::string::npos) << refused.err;
}

TEST_F(CtlRunningProgramTest, SetArgumentsAreCheckedBeforeAnyoneIsAsked)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"set"},
             {"set", "rate"},
             {"set", "brightness", "3"},
             {"set", "rate", "fast"},
             {"set", "dpi-level", "-1"},
             {"set", "profile", "1", "--yes"},
             {"set", "profile", "1", "--hid-log", "x"},
         }) {
        last = nullptr;
        const CtlRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, CtlExit::kUsage) << arguments.size();
        EXPECT_EQ(last, nullptr);
    }
}

TEST_F(CtlRunningProgramTest, WithoutARunningProgramSetChangesNothingAndSaysSo)
{
    running = false;
    const CtlRun run = Run({"set", "rate", "500", "--simulate"});
    EXPECT_EQ(run.exitCode, CtlExit::kRefused);
    EXPECT_NE(run.err.find("no program runs"), std::string::npos) << run.err;
    EXPECT_TRUE(ctlMouse.Received().empty());
}

TEST_F(CtlRunningProgramTest, CommandsThatOpenTheMouseRefuseWhileTheProgramDrivesIt)
{
    for (const char* command : {"devices", "push", "reset"}) {
        const CtlRun run = Run({command, "--simulate"});
        EXPECT_EQ(run.exitCode, CtlExit::kRefused) << command;
        EXPECT_NE(run.err.find("org.corvane.Corvane.Sim_0123456789abcdef"), std::string::npos) << run.err;
    }
    EXPECT_TRUE(ctlMouse.Received().empty());

    // Once it has ended, they open the mouse again.
    running = false;
    const CtlRun devices = Run({"devices", "--simulate"});
    EXPECT_EQ(devices.exitCode, CtlExit::kDone) << devices.err;
    EXPECT_FALSE(ctlMouse.Received().empty());
}
