#include "platform/system/Dateireste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {

// A process whose start lies this long after the file's last change is taken
// for another one that got the number since; the clocks compared differ by
// less.
constexpr double Spielraum = 2.0;

double sekunden(const timespec& t)
{
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// When the process started, in seconds since boot; < 0 when it cannot be read.
double startzeit(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray zeile = stat.readAll();
    // The name in parentheses may hold blanks and parentheses itself.
    const qsizetype ende = zeile.lastIndexOf(')');
    if (ende < 0)
        return -1;
    const QList<QByteArray> felder = zeile.mid(ende + 2).split(' ');
    // After the name: state is field 3 of the line, starttime field 22.
    if (felder.size() < 20)
        return -1;
    bool ok = false;
    const qulonglong ticks = felder[19].toULongLong(&ok);
    return ok ? double(ticks) / double(::sysconf(_SC_CLK_TCK)) : -1;
}

QString programmname(pid_t pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

// Whether the process that wrote `datei` still runs. A number that runs now
// but started after the file was last changed was given to another process
// since: the writer is gone.
bool schreiberLebt(pid_t pid, const QString& datei)
{
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return false;
    if (programmname(pid) == QLatin1String("jetimport"))
        return true;
    struct stat st {};
    const double start = startzeit(pid);
    timespec jetzt{}, seitStart{};
    if (start < 0 || ::stat(QFile::encodeName(datei).constData(), &st) != 0
        || ::clock_gettime(CLOCK_REALTIME, &jetzt) != 0 || ::clock_gettime(CLOCK_BOOTTIME, &seitStart) != 0)
        return true;
    const double geaendert = sekunden(st.st_mtim) - (sekunden(jetzt) - sekunden(seitStart));
    return start <= geaendert + Spielraum;
}

// A file that someone holds a lock on (the ".ldb" of an open catalogue whose
// name looks like ours) is in use.
bool gesperrt(const QString& datei)
{
    const int fd = ::open(QFile::encodeName(datei).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool belegt = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return belegt;
}

void entfernen(const QDir& ordner, const QRegularExpression& name)
{
    for (const QString& datei : ordner.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto treffer = name.match(datei);
        if (!treffer.hasMatch())
            continue;
        bool ok = false;
        const auto pid = static_cast<pid_t>(treffer.captured(1).toLongLong(&ok));
        if (!ok || pid <= 0)
            continue;
        // Another run may be at work right now, on the same target or another.
        const QString pfad = ordner.filePath(datei);
        if ((pid == ::getpid() || !schreiberLebt(pid, pfad)) && !gesperrt(pfad))
            QFile::remove(pfad);
    }
}

QString artenMuster(const QStringList& arten)
{
    QStringList muster;
    for (const QString& a : arten)
        muster << QRegularExpression::escape(a);
    return muster.join(QLatin1Char('|'));
}

}  // namespace

QString restdatei(const QString& ziel, const QString& art)
{
    const QFileInfo info(ziel);
    return info.absolutePath() + QStringLiteral("/.%1.%2.%3").arg(info.fileName()).arg(::getpid()).arg(art);
}

void resteEntfernen(const QString& ziel, const QStringList& arten)
{
    const QFileInfo info(ziel);
    entfernen(QDir(info.absolutePath()),
              QRegularExpression(QStringLiteral("^\\.%1\\.(\\d+)\\.(%2)$")
                                     .arg(QRegularExpression::escape(info.fileName()), artenMuster(arten))));
}

void alleResteEntfernen(const QString& ordner, const QStringList& arten)
{
    entfernen(QDir(ordner), QRegularExpression(QStringLiteral("^\\..+\\.(\\d+)\\.(%1)$").arg(artenMuster(arten))));
}

QString importBericht(const QString& ziel)
{
    const QFileInfo info(ziel);
    const QString name = info.fileName();
    const QString stamm = name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) ? name.chopped(4) : name;
    return info.absolutePath() + QLatin1Char('/') + stamm + QStringLiteral(".import.txt");
}

}  // namespace sys
