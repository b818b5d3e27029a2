#pragma once
// The sub-folders of a folder as the folder list control shows them, read
// once for the control and for the walk that lists a whole disk, so that both
// show them in one order.
#include <QByteArray>
#include <QString>

#include <dirent.h>
#include <sys/types.h>

#include <vector>

namespace vb {

struct Unterordner {
    QString name;    // decoded, as shown
    QByteArray roh;  // the name's bytes, to open it again
};

// The sub-folders of the open folder `dir`: no symbolic link, none on another
// device than `geraet`, sorted without case, ties by code, then by bytes.
// The folder stays open and is read to its end.
std::vector<Unterordner> unterordnerLesen(DIR* dir, dev_t geraet);

}  // namespace vb
