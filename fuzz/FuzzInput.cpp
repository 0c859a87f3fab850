#include "FuzzInput.h"

#include <fstream>
#include <string>
#include <unistd.h>

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size)
{
    m_folder = std::filesystem::temp_directory_path() /
               ("corvane-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    m_path = m_folder / "input.txt";
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

FuzzInput::~FuzzInput()
{
    std::error_code error;
    std::filesystem::remove_all(m_folder, error);
}
