// Feeds arbitrary bytes to the catalogue reader: it must never crash, hang or index outside
// the model, and whatever it accepts must load into a catalogue and save again.
#include "catalogue/cataloguefile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto contents = parseCatalogue(bytes);
    if (!contents)
        return 0;

    Catalogue catalogue;
    if (!catalogue.replaceAll(*contents))
        std::abort(); // the reader let a 100th entry or a wrong category through
    const auto saved = serializeCatalogue(catalogue);
    if (!saved || !parseCatalogue(*saved))
        std::abort(); // read but not writable, or written but not readable
    return 0;
}
