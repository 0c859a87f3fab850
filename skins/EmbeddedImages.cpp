#include "EmbeddedImages.h"

namespace corvane::embedded {

QString imagePath(int resourceId) {
  switch (resourceId) {
    case kAppIcon:
    case kPopupCheck:
    case kScrollDown:
    case kScrollUp:
    case kPalette:
    case kMainBackground:
      return QStringLiteral(":/embedded/%1.png").arg(resourceId);
    default:
      return {};
  }
}

}  // namespace corvane::embedded
