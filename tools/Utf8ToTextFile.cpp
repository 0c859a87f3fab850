// Build-time helper: turns a UTF-8 source text (as kept in the repository) into the
// program's own text-file form (UTF-16LE, byte-order mark, LF line ends).
#include "profiles/CStdioFileEx.h"
#include "profiles/TextNumbers.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: utf8-to-textfile INPUT OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "utf8-to-textfile: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string text = TextNumbers::FromUtf8(bytes);
    // Windows editors leave CR LF; the program's files use LF alone.
    std::erase(text, u'\r');
    CStdioFileEx out;
    if (!out.OpenForWrite(argv[2])) {
        std::cerr << "utf8-to-textfile: cannot write " << argv[2] << "\n";
        return 1;
    }
    out.WriteString(text);
    if (!out.Close()) {
        std::cerr << "utf8-to-textfile: writing " << argv[2] << " failed\n";
        return 1;
    }
    return 0;
}
