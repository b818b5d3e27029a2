#include "platform/vb/DirListBox.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

DirListBox::DirListBox(sys::Drives* drives, QWidget* parent) : QListWidget(parent), m_drives(drives)
{
}

void DirListBox::setPath(const QString& drivePath)
{
    const sys::DrivePath teile = sys::splitDrivePath(drivePath);
    m_path = teile.letter.isEmpty() ? QString() : teile.letter + u'/' + teile.inside;
    Refresh();
    emit Change();
}

QString DirListBox::List(int i) const
{
    if (i < 0 || i >= m_unterordner.size())
        return {};
    return m_path.endsWith(u'/') ? m_path + m_unterordner.at(i) : m_path + u'/' + m_unterordner.at(i);
}

void DirListBox::Refresh()
{
    m_unterordner.clear();
    clear();
    m_ordner = m_drives && !m_path.isEmpty() ? m_drives->folderOf(m_path) : QString();
    if (m_ordner.isEmpty())
        return;
    // The drive's own file system: a folder mounted below it is another drive.
    struct stat wurzel {};
    const QString wurzelOrdner = m_drives->folderOf(sys::splitDrivePath(m_path).letter + u'/');
    if (::stat(QFile::encodeName(wurzelOrdner).constData(), &wurzel) != 0)
        return;
    const int fd = ::open(QFile::encodeName(m_ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* verzeichnis = ::fdopendir(fd);
    if (!verzeichnis) {
        ::close(fd);
        return;
    }
    while (const dirent* eintrag = ::readdir(verzeichnis)) {
        const char* name = eintrag->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        struct stat info {};
        if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode)
            || info.st_dev != wurzel.st_dev)
            continue;
        m_unterordner.append(QFile::decodeName(name));
    }
    ::closedir(verzeichnis);
    std::sort(m_unterordner.begin(), m_unterordner.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    addItems(m_unterordner);
}

}  // namespace vb
