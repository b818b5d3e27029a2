#pragma once
// An OLE2 compound file (the container of ".xls" workbooks) that holds one
// stream: version 3, 512-byte sectors. A stream under the mini-stream cutoff
// (4096 bytes) is padded with zeros up to it, so that every stream lives in
// regular sectors and the file needs no mini stream.
#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <vector>

namespace xls {

struct CompoundLayout {
    quint32 streamSectors = 0;
    quint32 fatSectors = 0;
    quint32 difatSectors = 0;  // needed once the FAT has more sectors than the header lists (109)
    quint64 fileSize() const { return 512ULL * (1ULL + streamSectors + 1 + fatSectors + difatSectors); }
};

// The sectors a stream of that many bytes needs, FAT and DIFAT included.
CompoundLayout compoundLayout(quint64 streamSize);

// Writes the whole compound file to `out`; the stream is the concatenation of
// `parts`. Returns false (and sets *error) when a write fails.
bool writeCompoundFile(QIODevice& out, const QString& streamName, const std::vector<QByteArray>& parts,
                       QString* error = nullptr);

}  // namespace xls
