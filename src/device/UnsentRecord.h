#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>

// What the mouse may be missing, kept in a marker file of the data folder so that it
// outlives the run: a job that could not write its commands records itself at once (the
// program may end before the UI thread hears of it), and a later apply that wrote
// everything after the UI thread had heard of that job clears the record. The next start
// finding the marker writes the whole current profile. Used from the device thread and
// the UI thread; a mutex keeps the record and the file in step.
class UnsentRecord {
public:
    // Jobs are numbered from 1 by the UI thread as it submits them.
    using JobNumber = std::uint64_t;
    // Stands for what the last run left unwritten: every numbered job comes later.
    static constexpr JobNumber kLastRun = 0;
    // Stands for writes lost at the end of this run: no job of this run clears it.
    static constexpr JobNumber kEndOfRun = UINT64_MAX;

    explicit UnsentRecord(std::filesystem::path markerFile) : m_markerFile(std::move(markerFile)) {}

    // Whether the last run left a marker; then it stands as kLastRun until cleared.
    [[nodiscard]] bool TakeOverFromLastRun();
    // Job `job` (or the end of the run) left commands unwritten.
    void Record(JobNumber job);
    // A job wrote every command it carried, and carried again everything of the jobs up
    // to `covered` that had failed: the record ends when nothing later is outstanding.
    // True when this ended a record.
    bool WroteEverything(JobNumber covered);
    [[nodiscard]] bool Outstanding() const;

private:
    const std::filesystem::path m_markerFile;
    mutable std::mutex m_mutex;
    std::optional<JobNumber> m_latestUnsent;
};
