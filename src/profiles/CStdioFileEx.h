#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// The one text-file class every file of the program goes through.
//
// Files are UTF-16LE with the byte-order mark FF FE and single LF line ends. Reading
// skips the first two bytes unexamined, returns lines without their final LF (a CR
// before it stays), and reports "no line" both at the end of the file and at an empty
// line, so an empty line ends every reader. Writing goes to a temporary file in the
// same folder (in pieces as the text piles up), which Close() flushes to the disk and
// renames over the target, so a crash of the program, a power cut or a full disk never
// leaves a half-written or empty file. The replaced file keeps its permissions; a
// symbolic link stays and the file it names is saved, unless it is another user's link in
// a shared sticky folder, which is not followed. A save that fails is reported to
// SaveFailures with the reason. Only regular files open for reading.
class CStdioFileEx {
public:
    CStdioFileEx() = default;
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    // Opens the file for line reading. False when it cannot be opened; FailureReason()
    // then says why.
    [[nodiscard]] bool OpenForRead(const std::filesystem::path& path);
    // The next line, valid until the next call or Close(). False at the end of the
    // file or at an empty line.
    [[nodiscard]] bool ReadLine(std::u16string_view& line);
    [[nodiscard]] bool ReadLine(std::u16string& line);
    // 1-based number of the line the last ReadLine() returned or stopped at.
    [[nodiscard]] std::size_t LineNumber() const { return m_lineNumber; }

    // What becomes of the file a write replaces.
    enum class OldFile : std::uint8_t {
        Replace,
        // Its bytes are kept as "<name>.bak" beside it (atomically, before it is
        // replaced) unless they equal the new ones, so the backup never becomes a copy of
        // what replaced it. An old file that cannot be read is not replaced.
        KeepAsBackup,
    };

    // Starts a new file (created or truncated on Close()). False when the folder cannot
    // take a file, in which case nothing is ever written.
    [[nodiscard]] bool OpenForWrite(const std::filesystem::path& path, OldFile oldFile = OldFile::Replace);
    void WriteString(std::u16string_view text);
    void WriteLine(std::u16string_view text);

    // Ends reading, or commits a write atomically. Returns whether the write landed.
    bool Close();
    // Why the last open or write failed (the system's text for the error); empty after
    // success.
    [[nodiscard]] const std::string& FailureReason() const { return m_failureReason; }

    // Whether the file exists and can be opened for both reading and writing.
    [[nodiscard]] static bool IsReadWritable(const std::filesystem::path& path);
    // Where KeepAsBackup keeps the old bytes of `path`.
    [[nodiscard]] static std::filesystem::path BackupPathFor(const std::filesystem::path& path);
    // Removes the temporary files of saves that ended before their rename (a killed
    // program) from `folder`: only files named as this class names them, and only those
    // whose writing process no longer runs, so a save of another program on the same
    // folder is left alone.
    static void RemoveAbandonedSaves(const std::filesystem::path& folder);

private:
    enum class State { Closed, Reading, Writing };

    void DiscardWrite();
    // Records why the write failed and tells SaveFailures.
    void Fail(const std::error_code& error);
    void Fail(std::string reason);
    // Keeps the target's bytes as its backup unless the temporary file holds the same.
    [[nodiscard]] bool KeepBackupOfTarget() const;
    // Appends the pending text to the temporary file.
    void WritePending();
    // Reads the next piece of the file behind the unread text.
    void ReadMore();

    // Pending text beyond this many characters goes to the temporary file, so a large
    // file is never held in memory whole.
    static constexpr std::size_t kPendingLimit = 256 * 1024;
    // Characters read from the file at a time.
    static constexpr std::size_t kReadPiece = 256 * 1024;

    State m_state = State::Closed;
    std::u16string m_text;  // the unread text while reading, the pending text while writing
    std::size_t m_position = 0;  // start of the unread text
    bool m_endOfFile = false;    // m_text holds the rest of the file
    std::uintmax_t m_bytesLeft = 0;  // what the file's size says is still to read
    std::ifstream m_in;          // the file while reading
    std::size_t m_lineNumber = 0;
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::ofstream m_out;  // the temporary file while writing
    OldFile m_oldFile = OldFile::Replace;
    std::string m_failureReason;
};
