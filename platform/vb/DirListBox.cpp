#include "platform/vb/DirListBox.h"

#include "platform/vb/Unterordner.h"

#include <QFile>

#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

DirListBox::DirListBox(sys::Drives* drives, QWidget* parent) : ListBox(parent), m_drives(drives)
{
}

namespace {

QByteArray darunter(const QByteArray& ordner, const QByteArray& name)
{
    return ordner.endsWith('/') ? ordner + name : ordner + '/' + name;
}

}  // namespace

void DirListBox::setPath(const QString& drivePath)
{
    const sys::DrivePath teile = sys::splitDrivePath(drivePath);
    const QString neu = teile.letter.isEmpty() ? QString() : teile.letter + u'/' + teile.inside;
    // The parent keeps the bytes of the folder shown: its decoded name may not lead back.
    QByteArray ordner;
    const QString eltern = m_path.endsWith(u'/') ? m_path + QStringLiteral("..") : m_path + QStringLiteral("/..");
    if (!m_ordner.isEmpty() && !teile.inside.isEmpty() && drivePath == eltern)
        ordner = m_ordner.left(m_ordner.lastIndexOf('/'));
    setPath(neu, ordner);
}

void DirListBox::setPath(const QString& drivePath, const QByteArray& ordner)
{
    const sys::DrivePath teile = sys::splitDrivePath(drivePath);
    m_path = teile.letter.isEmpty() ? QString() : teile.letter + u'/' + teile.inside;
    m_ordnerGegeben = m_path.isEmpty() ? QByteArray() : ordner;
    Refresh();
    emit Change();
}

QString DirListBox::List(int i) const
{
    if (i < 0 || i >= m_unterordner.size())
        return {};
    return m_path.endsWith(u'/') ? m_path + m_unterordner.at(i) : m_path + u'/' + m_unterordner.at(i);
}

QByteArray DirListBox::ListOrdner(int i) const
{
    if (i < 0 || i >= m_unterordnerRoh.size())
        return {};
    return darunter(m_ordner, m_unterordnerRoh.at(i));
}

void DirListBox::Refresh()
{
    m_unterordner.clear();
    m_unterordnerRoh.clear();
    clear();
    m_ordner = m_ordnerGegeben;
    if (m_ordner.isEmpty() && m_drives && !m_path.isEmpty())
        m_ordner = QFile::encodeName(m_drives->folderOf(m_path));
    if (m_ordner.isEmpty() || !m_drives)
        return;
    // The drive's own file system: a folder mounted below it is another drive.
    struct stat wurzel {};
    const QString wurzelOrdner = m_drives->folderOf(sys::splitDrivePath(m_path).letter + u'/');
    if (::stat(QFile::encodeName(wurzelOrdner).constData(), &wurzel) != 0)
        return;
    const int fd = ::open(m_ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* verzeichnis = ::fdopendir(fd);
    if (!verzeichnis) {
        ::close(fd);
        return;
    }
    for (Unterordner& u : unterordnerLesen(verzeichnis, wurzel.st_dev)) {
        m_unterordner.append(std::move(u.name));
        m_unterordnerRoh.append(std::move(u.roh));
    }
    ::closedir(verzeichnis);
    addItems(m_unterordner);
}

}  // namespace vb
