#include "platform/xls/CompoundFile.h"

#include "platform/system/Dateigrund.h"
#include "platform/xls/Bytes.h"

#include <algorithm>

namespace xls {

using namespace detail;

namespace {

constexpr quint32 FreeSect = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSect = 0xFFFFFFFD;
constexpr quint32 DifSect = 0xFFFFFFFC;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr quint32 SectorSize = 512;
constexpr quint32 EntriesPerSector = SectorSize / 4;
constexpr quint32 HeaderDifatEntries = 109;
constexpr quint32 MiniStreamCutoff = 4096;

quint32 sectorsFor(quint64 bytes, quint64 per)
{
    return quint32((bytes + per - 1) / per);
}

// One 128-byte directory entry.
void directoryEntry(QByteArray& b, const QString& name, unsigned type, quint32 child, quint32 start, quint32 size)
{
    const qsizetype begin = b.size();
    for (const QChar c : name)
        u16(b, c.unicode());
    b.append(64 - (b.size() - begin), '\0');
    u16(b, name.isEmpty() ? 0 : unsigned(name.size() + 1) * 2);
    u8(b, type);
    u8(b, 1);  // black
    u32(b, NoStream);
    u32(b, NoStream);
    u32(b, child);
    b.append(16 + 4 + 8 + 8, '\0');  // class id, state bits, creation and modification times
    u32(b, start);
    u32(b, size);
    u32(b, 0);
}

bool writeAll(QIODevice& out, const char* data, qint64 size, QString* error)
{
    while (size > 0) {
        const qint64 n = out.write(data, size);
        if (n <= 0) {
            if (error)
                *error = sys::dateigrund(out);
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool writeAll(QIODevice& out, const QByteArray& bytes, QString* error)
{
    return writeAll(out, bytes.constData(), bytes.size(), error);
}

}  // namespace

CompoundLayout compoundLayout(quint64 streamSize)
{
    CompoundLayout l;
    l.streamSectors = sectorsFor(std::max<quint64>(streamSize, MiniStreamCutoff), SectorSize);
    // The FAT covers itself and the DIFAT, so grow both until they cover every sector.
    for (;;) {
        const quint64 sectors = quint64(l.streamSectors) + 1 + l.fatSectors + l.difatSectors;
        const quint32 fat = sectorsFor(sectors, EntriesPerSector);
        const quint32 difat = fat > HeaderDifatEntries ? sectorsFor(fat - HeaderDifatEntries, EntriesPerSector - 1) : 0;
        if (fat == l.fatSectors && difat == l.difatSectors)
            return l;
        l.fatSectors = std::max(fat, l.fatSectors);
        l.difatSectors = std::max(difat, l.difatSectors);
    }
}

bool writeCompoundFile(QIODevice& out, const QString& streamName, const std::vector<QByteArray>& parts,
                       QString* error)
{
    quint64 streamSize = 0;
    for (const QByteArray& p : parts)
        streamSize += quint64(p.size());
    if (streamSize > 0x7FFFFFFFULL) {
        if (error)
            *error = QStringLiteral("Der Datenstrom ist zu groß für eine Excel-Datei.");
        return false;
    }
    const CompoundLayout l = compoundLayout(streamSize);
    const quint32 directorySector = l.streamSectors;
    const quint32 firstFat = directorySector + 1;
    const quint32 firstDifat = firstFat + l.fatSectors;

    QByteArray header;
    header.reserve(SectorSize);
    header.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(16, '\0');  // class id
    u16(header, 0x003E);      // minor version
    u16(header, 3);           // major version: 512-byte sectors
    u16(header, 0xFFFE);      // byte order
    u16(header, 9);           // sector shift
    u16(header, 6);           // mini sector shift
    header.append(6, '\0');
    u32(header, 0);  // directory sectors (always 0 in version 3)
    u32(header, l.fatSectors);
    u32(header, directorySector);
    u32(header, 0);  // transaction signature
    u32(header, MiniStreamCutoff);
    u32(header, EndOfChain);  // no mini FAT
    u32(header, 0);
    u32(header, l.difatSectors ? firstDifat : EndOfChain);
    u32(header, l.difatSectors);
    for (quint32 i = 0; i < HeaderDifatEntries; ++i)
        u32(header, i < l.fatSectors ? firstFat + i : FreeSect);

    QByteArray directory;
    directory.reserve(SectorSize);
    directoryEntry(directory, QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    directoryEntry(directory, streamName, 2, NoStream, 0, quint32(std::max<quint64>(streamSize, MiniStreamCutoff)));
    directoryEntry(directory, QString(), 0, NoStream, 0, 0);
    directoryEntry(directory, QString(), 0, NoStream, 0, 0);

    QByteArray fat;
    fat.reserve(qsizetype(l.fatSectors) * SectorSize);
    for (quint32 s = 0; s < l.streamSectors; ++s)
        u32(fat, s + 1 < l.streamSectors ? s + 1 : EndOfChain);
    u32(fat, EndOfChain);  // the directory
    for (quint32 s = 0; s < l.fatSectors; ++s)
        u32(fat, FatSect);
    for (quint32 s = 0; s < l.difatSectors; ++s)
        u32(fat, DifSect);
    fat.append(qsizetype(l.fatSectors) * SectorSize - fat.size(), '\xFF');

    // Each DIFAT sector lists the next 127 FAT sectors and then the next DIFAT sector.
    QByteArray difat;
    quint32 listed = HeaderDifatEntries;
    for (quint32 d = 0; d < l.difatSectors; ++d) {
        for (quint32 i = 0; i < EntriesPerSector - 1; ++i, ++listed)
            u32(difat, listed < l.fatSectors ? firstFat + listed : FreeSect);
        u32(difat, d + 1 < l.difatSectors ? firstDifat + d + 1 : EndOfChain);
    }

    if (!writeAll(out, header, error))
        return false;
    for (const QByteArray& p : parts)
        if (!writeAll(out, p, error))
            return false;
    const QByteArray padding(qsizetype(quint64(l.streamSectors) * SectorSize - streamSize), '\0');
    return writeAll(out, padding, error) && writeAll(out, directory, error) && writeAll(out, fat, error) &&
           writeAll(out, difat, error);
}

}  // namespace xls
