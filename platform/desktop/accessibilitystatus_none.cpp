#include "platform/desktop/accessibilitystatus.h"

namespace platform {

// Qt's screen-reader support here answers a screen reader whenever it asks.
AccessibilityStatus::AccessibilityStatus(QObject *parent) : QObject(parent) {}

} // namespace platform
