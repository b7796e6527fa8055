#include "settings/cataloguesaver.h"

#include "catalogue/cataloguefile.h"
#include "platform/desktop/messageboxes.h"
#include "texts.h"

void CatalogueSaver::SaveCatalogue() const
{
    if (!m_file.SaveCatalogue(m_catalogue))
        m_messages.show(texts::fileOpenError, texts::fileOpenErrorTitle);
}
