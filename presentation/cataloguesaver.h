#pragma once

class Catalogue;
class CatalogueFile;

namespace platform {
class MessageBoxes;
}

// Rewrites launch.cfg from memory, as every change and the end of the program do. A failure
// is reported and changes nothing else: memory keeps the change, the file its former content.
// A file someone else changed and that was not taken in is kept beside it, and the user told.
class CatalogueSaver
{
public:
    CatalogueSaver(const Catalogue &catalogue, CatalogueFile &file,
                   platform::MessageBoxes &messages)
        : m_catalogue(catalogue), m_file(file), m_messages(messages)
    {
    }

    void SaveCatalogue() const;

private:
    const Catalogue &m_catalogue;
    CatalogueFile &m_file;
    platform::MessageBoxes &m_messages;
};
