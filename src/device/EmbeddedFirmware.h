#pragma once

#include <cstdint>
#include <span>

// The firmware images compiled into the program (library corvane_firmware_images). The
// build embeds the files named by CORVANE_FIRMWARE_APP_IMAGE and
// CORVANE_FIRMWARE_BASE_IMAGE; an image not given is empty. The bytes live for the whole
// run of the program.
[[nodiscard]] std::span<const std::uint8_t> EmbeddedAppImage();
[[nodiscard]] std::span<const std::uint8_t> EmbeddedBaseImage();
