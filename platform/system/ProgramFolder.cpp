#include "platform/system/ProgramFolder.h"

#include "platform/system/Dateigrund.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace sys {

namespace {

// Creates the folder and its parents; "" or the cause.
QString makeFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {};
    if (info.exists() || info.isSymLink())
        return QStringLiteral("Unter diesem Namen steht eine Datei.");
    std::error_code fehler;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), fehler);
    if (fehler)
        return dateigrund(fehler.value());
    return {};
}

// Copies through a temporary file beside the target, so that a copy cut
// short leaves nothing under the target's name. A target that appeared in the
// meantime (the other program's first start) is kept. "" or the cause.
QString copyWhereMissing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return dateigrund(in);
    QTemporaryFile out(target + QStringLiteral(".XXXXXX"));
    if (!out.open())
        return dateigrund(out);
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty() && in.error() != QFileDevice::NoError)
            return dateigrund(in);
        if (out.write(block) != block.size())
            return dateigrund(out);
    }
    if (!out.flush())
        return dateigrund(out);
    if (::fsync(out.handle()) != 0)
        return dateigrund(errno);
    // The user owns the copy and may change it, whatever the installation's modes.
    out.setPermissions(in.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!out.rename(target))
        return QFileInfo::exists(target) ? QString() : dateigrund(out);
    out.setAutoRemove(false);
    return {};
}

QString notCreated(const QString& folder, const QString& cause)
{
    return QStringLiteral("Der Programmordner \"%1\" kann nicht angelegt werden.\n\n%2").arg(folder, cause);
}

QString notFilled(const QString& folder, const QString& detail)
{
    return QStringLiteral("Der Programmordner \"%1\" kann nicht gefüllt werden: %2").arg(folder, detail);
}

}  // namespace

QString executableFolder()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString resolved = exe.canonicalFilePath();
    return QFileInfo(resolved.isEmpty() ? exe.absoluteFilePath() : resolved).absolutePath();
}

QString shippedDataFolder(const QString& executableFolder)
{
    return QDir::cleanPath(executableFolder + QStringLiteral("/../../share/rondavex"));
}

ProgramFolderChoice chooseProgramFolder(const QString& executableFolder, const QString& userFolder)
{
    const QString cdIni = QStringLiteral("Cd.ini");
    if (QFileInfo(fileIn(executableFolder, cdIni)).isFile())
        return {executableFolder, {}};

    ProgramFolderChoice choice{userFolder, {}};
    if (const QString cause = makeFolder(userFolder); !cause.isEmpty()) {
        choice.failure = notCreated(userFolder, cause);
        return choice;
    }
    // A folder that holds "Cd.ini" was filled before: what the user removed
    // since (a catalogue renamed in tools) stays removed.
    if (QFileInfo(fileIn(userFolder, cdIni)).isFile())
        return choice;
    const QString shipped = shippedDataFolder(executableFolder);
    if (!QFileInfo(shipped).isDir()) {
        choice.failure = notFilled(userFolder, QStringLiteral("Die Dateien der Installation fehlen in \"%1\".").arg(shipped));
        return choice;
    }

    // "Cd.ini" comes last, so that a fill cut short is taken up again at the next start.
    const QDir quelle(shipped);
    QStringList names;
    QDirIterator it(shipped, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = quelle.relativeFilePath(it.next());
        if (name != cdIni)
            names << name;
    }
    names << cdIni;
    for (const QString& name : names) {
        const QFileInfo entry(fileIn(shipped, name));
        const QString target = fileIn(userFolder, name);
        QString cause;
        if (entry.isDir())
            cause = makeFolder(target);
        else if (!QFileInfo::exists(target) && !QFileInfo(target).isSymLink()) {
            cause = makeFolder(QFileInfo(target).absolutePath());
            if (cause.isEmpty())
                cause = copyWhereMissing(entry.filePath(), target);
        }
        if (!cause.isEmpty()) {
            choice.failure = notFilled(userFolder, QStringLiteral("\"%1\" lässt sich nicht dorthin kopieren.\n\n%2").arg(name, cause));
            return choice;
        }
    }
    return choice;
}

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return QDir::cleanPath(home);
    // Started without a HOME (a service, `env -i`): the password file knows it.
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && user->pw_dir[0] == '/')
        return QDir::cleanPath(QFile::decodeName(user->pw_dir));
    return QStringLiteral("/");
}

QString userDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = fileIn(homeFolder(), QStringLiteral(".local/share"));
    return QDir::cleanPath(base + QStringLiteral("/Rondavex"));
}

ProgramFolderChoice programFolder()
{
    return chooseProgramFolder(executableFolder(), userDataFolder());
}

QString configHome()
{
    const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        return fileIn(homeFolder(), QStringLiteral(".config"));
    return QDir::cleanPath(base);
}

QString userStorePath()
{
    return configHome() + QStringLiteral("/Rondavex/Rondavex.ini");
}

}  // namespace sys
