#include "settings/refusals.h"

#include "platform/desktop/messageboxes.h"
#include "texts.h"

void tellRefusal(platform::MessageBoxes &messages, editing::Outcome outcome, const QString &title)
{
    if (outcome.wasMade())
        return;
    switch (outcome.reason()) {
    case editing::Refusal::CatalogueFull:
        messages.show(texts::catalogueFull, texts::registerTitle);
        break;
    case editing::Refusal::FieldsEmpty:
        // Under "登録" for adding and changing alike.
        messages.show(texts::fieldsEmpty, texts::registerTitle);
        break;
    case editing::Refusal::UnusableCharacters:
        messages.show(texts::unusableCharacters, title);
        break;
    case editing::Refusal::NothingSelected:
        messages.show(texts::nothingSelected, title);
        break;
    case editing::Refusal::CategoryUnnamed:
        messages.show(texts::cannotChange, title);
        break;
    case editing::Refusal::NoSuchCategory:
    case editing::Refusal::ModelRefused:
        // A fault of the program's own, never the user's doing; still nothing goes unsaid.
        messages.show(texts::editNotMade, title);
        break;
    }
}
