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
// same folder (in pieces as the text piles up), which Close() flushes and renames over
// the target, so a crash of the program or a full disk never leaves a half-written file.
// The replaced file keeps its permissions; a symbolic link stays and its target is saved.
// Only regular files open for reading.
class CStdioFileEx {
public:
    CStdioFileEx() = default;
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    // Opens the file for line reading. False when it cannot be opened.
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

    // Whether the file exists and can be opened for both reading and writing.
    [[nodiscard]] static bool IsReadWritable(const std::filesystem::path& path);
    // Where KeepAsBackup keeps the old bytes of `path`.
    [[nodiscard]] static std::filesystem::path BackupPathFor(const std::filesystem::path& path);

private:
    enum class State { Closed, Reading, Writing };

    void DiscardWrite();
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
};
