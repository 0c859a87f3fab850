#include "platform/DataFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The program's folder is where the executable is, whatever the name it was started by:
// a bare name found on the PATH, or a name relative to another current folder.
TEST(ProgramFolder, IsTheExecutablesFolderWhateverNameItWasStartedBy)
{
    const std::filesystem::path expected = CORVANE_TEST_PROGRAM_FOLDER;
    for (const char* argv0 : {"corvane_platform_tests", "elsewhere/corvane_platform_tests"}) {
        SCOPED_TRACE(argv0);
        std::error_code error;
        EXPECT_TRUE(std::filesystem::equivalent(ProgramFolder(argv0), expected, error))
            << ProgramFolder(argv0) << " is not " << expected;
    }
}

#ifdef _WIN32
// Sets a variable of the process's environment for the test's length, or removes it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value) : m_name(name)
    {
        if (const wchar_t* old = _wgetenv(name))
            m_old = std::wstring(old);
        Set(value);
    }
    ~ScopedEnvironment() { Set(m_old ? m_old->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const wchar_t* value)
    {
        _wputenv_s(m_name, value != nullptr ? value : L"");
        SetEnvironmentVariableW(m_name, value);
    }
    const wchar_t* m_name;
    std::optional<std::wstring> m_old;
};

// The data folder is in the user's roaming application-data folder as the shell knows it,
// also when the environment does not name it (a program started by a service or with a
// cleaned environment) or names another folder.
TEST(UserDataFolder, IsInTheShellsApplicationDataFolderWhateverTheEnvironmentSays)
{
    const std::filesystem::path withEnvironment = UserDataFolder();
    ASSERT_FALSE(withEnvironment.empty());
    EXPECT_EQ(withEnvironment.filename(), "PelmoraData20251125A");
    std::error_code error;
    EXPECT_TRUE(std::filesystem::is_directory(withEnvironment.parent_path(), error)) << withEnvironment;

    for (const wchar_t* appData : {static_cast<const wchar_t*>(nullptr), L"C:\\elsewhere"}) {
        SCOPED_TRACE(appData == nullptr ? "APPDATA unset" : "APPDATA elsewhere");
        const ScopedEnvironment environment(L"APPDATA", appData);
        EXPECT_EQ(UserDataFolder(), withEnvironment);
    }
}
#endif

}  // namespace
