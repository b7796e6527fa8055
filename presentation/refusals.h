#pragma once

#include "catalogue/editing.h"

namespace platform {
class MessageBoxes;
}

// What the user is told an edit was refused for.
QString refusalText(editing::Refusal reason);

// Tells the user why an edit was refused, if it was, under the title of what they did.
void tellRefusal(platform::MessageBoxes &messages, editing::Outcome outcome, const QString &title);
