// Writes a C++ source that defines EmbeddedAppImage() and EmbeddedBaseImage() (see
// src/device/EmbeddedFirmware.h) with the bytes of the files given; an image without a
// file is empty.
//
//   BinaryToSource OUTPUT.cpp [--app FILE] [--base FILE]
//
// The bytes are written as a plain array of numbers: every compiler takes that at this
// size, where long string literals hit limits on some.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kBytesPerLine = 24;

std::optional<std::vector<unsigned char>> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

void WriteImage(std::ostream& out, std::string_view function, std::string_view array,
                const std::vector<unsigned char>& bytes)
{
    if (bytes.empty()) {
        out << "std::span<const std::uint8_t> " << function << "()\n{\n    return {};\n}\n\n";
        return;
    }
    out << "namespace {\nconst std::uint8_t " << array << "[" << bytes.size() << "] = {\n";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out << static_cast<unsigned>(bytes[i]) << ',';
        if ((i + 1) % kBytesPerLine == 0 || i + 1 == bytes.size())
            out << '\n';
    }
    out << "};\n}  // namespace\n\n";
    out << "std::span<const std::uint8_t> " << function << "()\n{\n    return " << array << ";\n}\n\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: BinaryToSource OUTPUT.cpp [--app FILE] [--base FILE]\n";
        return 2;
    }
    const std::string outputPath = argv[1];
    std::vector<unsigned char> app;
    std::vector<unsigned char> base;
    for (int i = 2; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc || (option != "--app" && option != "--base")) {
            std::cerr << "BinaryToSource: unexpected argument " << option << '\n';
            return 2;
        }
        const std::string path = argv[i + 1];
        std::optional<std::vector<unsigned char>> bytes = ReadFile(path);
        if (!bytes) {
            std::cerr << "BinaryToSource: cannot read " << path << '\n';
            return 1;
        }
        (option == "--app" ? app : base) = std::move(*bytes);
    }

    std::ostringstream source;
    source << "// Generated at build time from the firmware image files; do not edit.\n"
              "#include \"device/EmbeddedFirmware.h\"\n\n";
    WriteImage(source, "EmbeddedAppImage", "kAppImage", app);
    WriteImage(source, "EmbeddedBaseImage", "kBaseImage", base);

    std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
    output << source.str();
    output.close();
    if (!output) {
        std::cerr << "BinaryToSource: cannot write " << outputPath << '\n';
        return 1;
    }
    return 0;
}
