// Feeds arbitrary bytes to the language file reader and the language selection.
#include "FuzzInput.h"

#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"

#include <filesystem>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    auto texts = std::make_unique<LanguageTexts>();
    (void)ReadLanguageFile(*texts, input.Path(), 1.5);

    // The same bytes as a selection file.
    std::filesystem::copy_file(input.Path(), input.Folder() / "LanSetting.ini");
    const LanguageSources sources{input.Folder(), input.Folder(), "", 1.0};
    (void)ChooseLanguage(sources);
    return 0;
}
