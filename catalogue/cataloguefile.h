#pragma once

#include "catalogue/catalogue.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

// launch.cfg: line 1 the version marker, seven category-name lines, then one line per entry
// (category digit, name, program, folder). Text fields quoted, CR LF, code page 932.

inline constexpr char CatalogueFileName[] = "launch.cfg";

// 8 × 99 entries with long paths stay under 1 MB; anything far larger is not a catalogue, and
// is refused before it is read into memory.
inline constexpr qint64 MaxCatalogueFileBytes = 16 * 1024 * 1024;

// What a readable file holds, lines in file order; empty for a file that is not a catalogue of
// this version or is damaged in any way.
std::optional<CatalogueContents> parseCatalogue(const QByteArray &bytes);

// Empty when a text cannot be stored; nothing is then written.
std::optional<QByteArray> serializeCatalogue(const Catalogue &catalogue);

enum class LoadResult { Read, Created, OpenFailed, VersionFailed };

class CatalogueFile
{
public:
    // The file in the given folder whose name is launch.cfg in any letter case.
    explicit CatalogueFile(const QString &folder);

    // Canonical, in the letter case found: two programs given the same path would write the
    // same file.
    QString path() const { return m_path; }

    // Removes what saves killed part-way left beside the file. Only for the one program that
    // manages the file.
    void removeLeftovers() const;

    // Replaces the catalogue with what the file holds, or creates the default file when there
    // is none. accepted, when given, runs first once the file is known good or created: nothing
    // that follows can fail.
    LoadResult LoadCatalogue(Catalogue &catalogue, const std::function<void()> &accepted = {});

    // Replaces the file in one step; on failure the former file stays whole. A file that was
    // changed by someone else since this program last read or wrote it, and not taken in, is
    // first kept beside it under a name of its own (keptCopy); where it cannot be kept, nothing
    // is saved.
    bool SaveCatalogue(const Catalogue &catalogue);

    // A change someone else made to the file, when it reads correctly: from then on it is
    // what the file is known to hold. A damaged file gives nothing here; the next save keeps it.
    std::optional<CatalogueContents> readOutsideChange();

    // The copy the last save kept, once; empty when it kept none.
    QString takeKeptCopy() { return std::exchange(m_keptCopy, QString()); }

private:
    // Keeps the file beside itself when it holds what this program did not read or write:
    // false when it does and could not be kept.
    bool keepOutsideChange();

    QString m_path;
    // What this program last read from the file or wrote to it, told by its size and a hash
    // rather than kept whole, as the program runs all day; nothing before it did either.
    struct Fingerprint
    {
        qsizetype size = 0;
        size_t hash = 0;
        friend bool operator==(const Fingerprint &, const Fingerprint &) = default;
    };
    static Fingerprint fingerprintOf(const QByteArray &bytes);
    std::optional<Fingerprint> m_known;
    QString m_keptCopy;
};
