#pragma once

#include <filesystem>
#include <functional>
#include <string>

// A file of the program that could not be saved, and why (the system's text for the
// error, or what in the text could not be written).
struct SaveFailure {
    std::filesystem::path file;
    std::string reason;
};

// Where failed saves are told. Every save of the program goes through CStdioFileEx, and
// some run deep inside the device layer, so the program hears of them here rather than
// through every caller. The observer is called on the thread that saved.
namespace SaveFailures {

using Observer = std::function<void(const SaveFailure&)>;

// Sets the one observer of the process; an empty one stops the reports.
void SetObserver(Observer observer);
// Tells the observer, if there is one.
void Report(const SaveFailure& failure);

// Holds the observer for as long as it lives, so that an observer that refers to its
// owner ends with it.
class ScopedObserver {
public:
    ScopedObserver() = default;
    ~ScopedObserver();
    ScopedObserver(const ScopedObserver&) = delete;
    ScopedObserver& operator=(const ScopedObserver&) = delete;

    void Set(Observer observer);

private:
    bool m_set = false;
};

}  // namespace SaveFailures
