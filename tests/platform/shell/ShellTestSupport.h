#pragma once

#include "support/TempFolder.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const QByteArray& value) : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnvironmentVariable()
    {
        if (m_old)
            qputenv(m_name, *m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

// Makes a folder the current one for one test, so that whatever a stray shell would run
// there lands where the test looks.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::filesystem::path& folder) : m_old(QDir::currentPath())
    {
        QDir::setCurrent(QString::fromStdString(folder.string()));
    }
    ~ScopedCurrentFolder() { QDir::setCurrent(m_old); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    QString m_old;
};

// Writes a file with the given permission bits.
inline void WriteFileWithMode(const std::filesystem::path& path, std::string_view text, std::filesystem::perms mode)
{
    WriteBytes(path, text);
    std::filesystem::permissions(path, mode);
}

inline constexpr std::filesystem::perms kExecutableMode = std::filesystem::perms::owner_all |
                                                          std::filesystem::perms::group_read |
                                                          std::filesystem::perms::group_exec;
inline constexpr std::filesystem::perms kDocumentMode =
    std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

// The text of a file a started program writes, once it is there; nothing after the time-out.
inline std::optional<std::string> WaitForFile(const std::filesystem::path& path,
                                              std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        // The writer may still be writing: a complete marker ends with a line end.
        if (std::filesystem::exists(path)) {
            std::string text = ReadBytes(path);
            if (!text.empty() && text.back() == '\n')
                return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}
