#pragma once

#include <QString>

// The pictures compiled into the program (rendered from skins/src at build time).
namespace corvane::embedded {

// Resource ids of the embedded pictures.
inline constexpr int kAppIcon = 128;
inline constexpr int kPopupCheck = 151;
inline constexpr int kScrollDown = 187;
inline constexpr int kScrollUp = 188;
inline constexpr int kPalette = 287;
inline constexpr int kMainBackground = 364;

// ":/embedded/<id>.png" for the ids above (".bmp" for the opaque background), an empty
// string for any other id.
QString imagePath(int resourceId);

}  // namespace corvane::embedded
