#pragma once

#include "platform/shell/LaunchOutcome.h"

#include <QString>

// What the user is told when a launch button's target was refused rather than opened (a
// profile from elsewhere may carry any path); empty for every other outcome, which stays
// silent as a stale path would.
[[nodiscard]] QString LaunchRefusalMessage(LaunchOutcome outcome, const QString& target);
