#include "platform/system/DesktopSettings.h"

#include "platform/system/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>
#include <functional>
#include <vector>

namespace sys {

namespace {

// A settings tool that hangs (no session bus, a locked database) must not hold up the start.
constexpr int StartTimeoutMs = 1000;
constexpr int RunTimeoutMs = 2000;

// A "file:" address as a local path, %XX decoded; a plain path as it is.
QString localPath(const QString& value)
{
    if (value.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(value).toLocalFile();
    if (value.contains(QLatin1String("://")))
        return {};
    return value;
}

// A wallpaper package (a folder with contents/images/<width>x<height>.<ext>):
// its largest picture.
QString packagePicture(const QString& folder)
{
    const QDir images(QDir::cleanPath(folder + QStringLiteral("/contents/images")));
    static const QRegularExpression size(QStringLiteral("^(\\d+)x(\\d+)\\."));
    QString best;
    long long bestArea = -1;
    const QStringList files = images.entryList(QDir::Files, QDir::Name);
    for (const QString& name : files) {
        const auto m = size.match(name);
        const long long area = m.hasMatch() ? m.captured(1).toLongLong() * m.captured(2).toLongLong() : 0;
        if (area > bestArea) {
            bestArea = area;
            best = images.filePath(name);
        }
    }
    return best;
}

// The picture a settings value names, or "" when it names no existing file.
QString existingPicture(const QString& value)
{
    const QString path = localPath(value.trimmed());
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isFile())
        return path;
    if (info.isDir())
        return packagePicture(path);
    return {};
}

QString kdeWallpaper()
{
    QFile file(configHome() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // Each screen's desktop has a section ...[Wallpaper][org.kde.image][General] with "Image=".
    bool wallpaperSection = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            wallpaperSection = line.contains(QLatin1String("[Wallpaper]"));
            continue;
        }
        if (!wallpaperSection || !line.startsWith(QLatin1String("Image=")))
            continue;
        const QString picture = existingPicture(line.mid(6));
        if (!picture.isEmpty())
            return picture;
    }
    return {};
}

QString xfceWallpaper()
{
    QFile file(configHome() + QStringLiteral("/xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("property"))
            continue;
        const auto attributes = xml.attributes();
        const auto name = attributes.value(QLatin1String("name"));
        // "image-path" is what older versions wrote.
        if (name != QLatin1String("last-image") && name != QLatin1String("image-path"))
            continue;
        const QString picture = existingPicture(attributes.value(QLatin1String("value")).toString());
        if (!picture.isEmpty())
            return picture;
    }
    return {};
}

// A GVariant string as gsettings prints it: 'text' with \' and \\ escaped.
QString unquote(const QString& printed)
{
    QString t = printed.trimmed();
    if (t.size() < 2 || !((t.startsWith(QLatin1Char('\'')) && t.endsWith(QLatin1Char('\''))) ||
                          (t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))))
        return {};
    t = t.mid(1, t.size() - 2);
    QString out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == QLatin1Char('\\') && i + 1 < t.size())
            ++i;
        out += t[i];
    }
    return out;
}

class GSettings {
public:
    explicit GSettings(const QString& program)
    {
        m_program = program.contains(QLatin1Char('/')) ? (QFileInfo(program).isExecutable() ? program : QString())
                                                        : QStandardPaths::findExecutable(program);
    }

    QString get(const QString& schema, const QString& key) const
    {
        if (m_program.isEmpty())
            return {};
        QProcess process;
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(m_program, {QStringLiteral("get"), schema, key});
        if (!process.waitForStarted(StartTimeoutMs))
            return {};
        if (!process.waitForFinished(RunTimeoutMs)) {
            process.kill();
            process.waitForFinished(StartTimeoutMs);
            return {};
        }
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return {};
        return unquote(QString::fromUtf8(process.readAllStandardOutput()));
    }

private:
    QString m_program;
};

struct Source {
    QStringList desktops;  // names in XDG_CURRENT_DESKTOP
    std::function<QString(const GSettings&)> find;
};

QString fromGSettings(const GSettings& gsettings, const QString& schema, const QStringList& keys)
{
    for (const QString& key : keys) {
        const QString picture = existingPicture(gsettings.get(schema, key));
        if (!picture.isEmpty())
            return picture;
    }
    return {};
}

}  // namespace

DesktopSettings::DesktopSettings(QString gsettings) : m_gsettings(std::move(gsettings)) {}

QString DesktopSettings::wallpaper() const
{
    const GSettings gsettings(m_gsettings);
    std::vector<Source> sources{
        {{QStringLiteral("KDE")}, [](const GSettings&) { return kdeWallpaper(); }},
        {{QStringLiteral("XFCE")}, [](const GSettings&) { return xfceWallpaper(); }},
        {{QStringLiteral("GNOME"), QStringLiteral("Unity"), QStringLiteral("ubuntu"), QStringLiteral("Budgie")},
         [](const GSettings& g) {
             return fromGSettings(g, QStringLiteral("org.gnome.desktop.background"),
                                  {QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")});
         }},
        {{QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")},
         [](const GSettings& g) {
             return fromGSettings(g, QStringLiteral("org.cinnamon.desktop.background"), {QStringLiteral("picture-uri")});
         }},
        {{QStringLiteral("MATE")},
         [](const GSettings& g) {
             return fromGSettings(g, QStringLiteral("org.mate.background"), {QStringLiteral("picture-filename")});
         }},
    };

    // The running desktop's own settings first; a stale file of another desktop comes after.
    const QStringList running = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::stable_partition(sources.begin(), sources.end(), [&](const Source& s) {
        return std::any_of(running.begin(), running.end(), [&](const QString& name) {
            return s.desktops.contains(name, Qt::CaseInsensitive);
        });
    });

    for (const Source& source : sources) {
        const QString picture = source.find(gsettings);
        if (!picture.isEmpty())
            return picture;
    }
    return {};
}

const QStringList& DesktopSettings::systemInformationPrograms()
{
    // System profilers first, then the desktops' own system monitors.
    static const QStringList programs{
        QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
        QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
        QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager"),
        QStringLiteral("lxtask"),
    };
    return programs;
}

QString DesktopSettings::systemInformationProgram() const
{
    for (const QString& name : systemInformationPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

}  // namespace sys
