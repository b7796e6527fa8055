#include "presentation/refusals.h"

#include "platform/desktop/messageboxes.h"
#include "texts.h"

QString refusalText(editing::Refusal reason)
{
    switch (reason) {
    case editing::Refusal::CatalogueFull:
        return texts::catalogueFull;
    case editing::Refusal::FieldsEmpty:
        return texts::fieldsEmpty;
    case editing::Refusal::UnusableCharacters:
        return texts::unusableCharacters;
    case editing::Refusal::NothingSelected:
        return texts::nothingSelected;
    case editing::Refusal::CategoryUnnamed:
        return texts::cannotChange;
    case editing::Refusal::NoSuchCategory:
    case editing::Refusal::ModelRefused:
        // A fault of the program's own, never the user's doing; still nothing goes unsaid.
        return texts::editNotMade;
    }
    return texts::editNotMade;
}

void tellRefusal(platform::MessageBoxes &messages, editing::Outcome outcome, const QString &title)
{
    if (outcome.wasMade())
        return;
    const editing::Refusal reason = outcome.reason();
    // Under "登録" for adding and changing alike.
    const bool registering =
        reason == editing::Refusal::CatalogueFull || reason == editing::Refusal::FieldsEmpty;
    messages.show(refusalText(reason), registering ? texts::registerTitle : title);
}
