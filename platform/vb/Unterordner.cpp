#include "platform/vb/Unterordner.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace vb {

std::vector<Unterordner> unterordnerLesen(DIR* dir, dev_t geraet)
{
    std::vector<Unterordner> gefunden;
    while (const dirent* d = ::readdir(dir)) {
        // The entry's own type spares a look at every file.
        if (d->d_type != DT_DIR && d->d_type != DT_UNKNOWN)
            continue;
        const char* name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)
            || st.st_dev != geraet)
            continue;
        QByteArray roh(name);
        gefunden.push_back({QFile::decodeName(roh), std::move(roh)});
    }
    std::sort(gefunden.begin(), gefunden.end(), [](const Unterordner& a, const Unterordner& b) {
        const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.name != b.name ? a.name < b.name : a.roh < b.roh;
    });
    return gefunden;
}

}  // namespace vb
