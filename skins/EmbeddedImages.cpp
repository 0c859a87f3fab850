#include "EmbeddedImages.h"

namespace corvane::embedded {

QString imagePath(int resourceId) {
  switch (resourceId) {
    case kAppIcon:
    case kPopupCheck:
    case kScrollDown:
    case kScrollUp:
    case kPalette:
      return QStringLiteral(":/embedded/%1.png").arg(resourceId);
    case kMainBackground:
      return QStringLiteral(":/embedded/%1.bmp").arg(resourceId);
    default:
      return {};
  }
}

}  // namespace corvane::embedded
