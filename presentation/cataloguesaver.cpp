#include "presentation/cataloguesaver.h"

#include "catalogue/cataloguefile.h"
#include "platform/desktop/messageboxes.h"
#include "texts.h"

#include <QFileInfo>

void CatalogueSaver::SaveCatalogue() const
{
    const bool saved = m_file.SaveCatalogue(m_catalogue);
    if (const QString kept = m_file.takeKeptCopy(); !kept.isEmpty())
        m_messages.show(texts::outsideChangeKept(QFileInfo(kept).fileName()),
                        texts::fileErrorTitle);
    if (!saved)
        m_messages.show(texts::fileOpenError, texts::fileOpenErrorTitle);
}
