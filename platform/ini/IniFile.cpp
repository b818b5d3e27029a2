#include "platform/ini/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace ini {

namespace {

constexpr char Windows1252[] = "windows-1252";
const QByteArray Utf8Bom("\xEF\xBB\xBF");

struct Line {
    qsizetype begin = 0;  // bytes of the line's text: [begin, end)
    qsizetype end = 0;
    qsizetype next = 0;   // after the line end; == end for a last line without one
    QStringView text;     // decoded, without the line end
};

// The file as bytes plus a decoded view of each line. Both encodings keep '\n' a
// single byte that never occurs inside a character, so byte lines and decoded
// lines match one to one.
struct Document {
    QByteArray bytes;
    QString text;
    bool utf8 = true;
    QByteArray eol = "\r\n";
    qsizetype bodyStart = 0;  // after a UTF-8 BOM
    std::vector<Line> lines;

    bool endsWithLineEnd() const { return lines.empty() || lines.back().next > lines.back().end; }
};

enum class Load { Ok, Missing, Unreadable };

Load load(const QString& path, Document& doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? Load::Unreadable : Load::Missing;
    doc.bytes = file.readAll();

    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    doc.text = utf8.decode(doc.bytes);
    doc.utf8 = !utf8.hasError();
    if (doc.bytes.startsWith(Utf8Bom))
        doc.bodyStart = Utf8Bom.size();
    if (!doc.utf8) {
        const QByteArrayView body = QByteArrayView(doc.bytes).sliced(doc.bodyStart);
        QStringDecoder cp1252(Windows1252, QStringConverter::Flag::Stateless);
        doc.text = cp1252.isValid() ? QString(cp1252.decode(body)) : QString::fromLatin1(body);
    }

    bool eolKnown = false;
    qsizetype pos = doc.bodyStart;
    qsizetype tpos = 0;
    const qsizetype size = doc.bytes.size();
    while (pos < size) {
        Line line;
        line.begin = pos;
        const qsizetype nl = doc.bytes.indexOf('\n', pos);
        const qsizetype tnl = doc.text.indexOf(QLatin1Char('\n'), tpos);
        qsizetype tend = tnl < 0 ? doc.text.size() : tnl;
        if (nl < 0) {
            line.end = line.next = size;
        } else {
            line.next = nl + 1;
            line.end = nl;
            if (nl > pos && doc.bytes.at(nl - 1) == '\r') {
                --line.end;
                --tend;
            }
            if (!eolKnown) {
                doc.eol = line.end < nl ? QByteArray("\r\n") : QByteArray("\n");
                eolKnown = true;
            }
        }
        line.text = QStringView(doc.text).sliced(tpos, tend - tpos);
        doc.lines.push_back(line);
        pos = line.next;
        tpos = tnl < 0 ? doc.text.size() : tnl + 1;
    }
    return Load::Ok;
}

// The cause of the last failed call, never 0.
int lastError()
{
    return errno != 0 ? errno : EIO;
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.sliced(b, e - b);
}

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The name of a "[name]" line; false for every other line.
bool sectionName(QStringView line, QStringView& name)
{
    const QStringView t = trimBlanks(line);
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    name = trimBlanks(t.sliced(1, close - 1));
    return true;
}

// The key and raw value of a "key=value" line; false for comments and lines without "=".
bool keyLine(QStringView line, QStringView& key, QStringView& value)
{
    const QStringView t = trimBlanks(line);
    if (t.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = trimBlanks(t.first(eq));
    value = trimBlanks(t.sliced(eq + 1));
    return true;
}

struct Found {
    int section = -1;  // the first section of that name
    int key = -1;      // the first key of that name in it
    int lastKey = -1;  // the section's last key line
};

Found find(const Document& doc, QStringView section, QStringView key, bool wholeSection)
{
    Found f;
    for (int i = 0; i < int(doc.lines.size()); ++i) {
        const QStringView text = doc.lines[size_t(i)].text;
        QStringView name;
        if (sectionName(text, name)) {
            if (f.section >= 0)
                break;
            if (sameName(name, section))
                f.section = i;
            continue;
        }
        if (f.section < 0)
            continue;
        QStringView k;
        QStringView v;
        if (!keyLine(text, k, v))
            continue;
        f.lastKey = i;
        if (f.key < 0 && sameName(k, key)) {
            f.key = i;
            if (!wholeSection)
                break;
        }
    }
    return f;
}

QStringView unquote(QStringView v)
{
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')))
        return v.sliced(1, v.size() - 2);
    return v;
}

bool hasLineBreak(const QString& s) { return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')); }

// Names that the reader would not find again as written are refused as well.
bool writableNames(QStringView section, QStringView key)
{
    return !section.isEmpty() && !key.isEmpty() && !section.contains(QLatin1Char(']'))
        && !key.contains(QLatin1Char('=')) && !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('['));
}

bool encode(const Document& doc, const QString& text, QByteArray& out)
{
    QStringEncoder enc = doc.utf8 ? QStringEncoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless)
                                  : QStringEncoder(Windows1252, QStringConverter::Flag::Stateless);
    if (!enc.isValid())
        return false;
    out = enc.encode(text);
    return !enc.hasError();
}

// Inserts whole lines before byte `at`, or after the last line when that one has no line end.
// A lone CR ending that line is part of its text: the line end put after it is CR LF, as a
// bare LF would make the two one line end and take the CR from the line's value.
void insertLines(Document& doc, qsizetype at, const QByteArray& lines)
{
    if (at == doc.bytes.size() && !doc.endsWithLineEnd())
        doc.bytes.append((doc.bytes.endsWith('\r') ? QByteArray("\r\n") : doc.eol) + lines.chopped(doc.eol.size()));
    else
        doc.bytes.insert(at, lines);
}

// An exclusive lock on "<file>.lock" beside the file, held for one read-modify-write.
// The file itself cannot carry the lock: each write replaces it by a new one. The
// lock file stays, as removing it would let two writers lock different files.
class WriteLock {
public:
    explicit WriteLock(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(), O_RDONLY | O_CREAT | O_CLOEXEC,
                      0666);
        if (m_fd < 0) {
            m_error = lastError();
            return;
        }
        // A writer holds the lock for a few milliseconds; one that hangs must not hang us.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > giveUp) {
                m_error = errno == EWOULDBLOCK || errno == EINTR ? ETIMEDOUT : lastError();
                ::close(m_fd);
                m_fd = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ~WriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    bool held() const { return m_fd >= 0; }
    int error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

// Writes the bytes to "<file>.tmp", syncs it and renames it over the file. Any failure
// before the rename leaves the old file as it was and removes the temporary file.
// Called under the write lock, which also guards the temporary name.
bool save(const QString& path, const QByteArray& bytes, int& error)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp";
    ::unlink(temp.constData());  // left by a writer that crashed
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = lastError();
        return false;
    }

    bool ok = true;
    struct stat old {};
    if (::stat(target.constData(), &old) == 0) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        if (!ok)
            error = lastError();
        if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give the file back to its owner; for anyone else it becomes theirs.
        }
    }
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0 || errno != EINTR) {
            error = n == 0 ? ENOSPC : lastError();
            ok = false;
        }
    }
    const auto step = [&](bool done) {
        if (ok && !done) {
            error = lastError();
            ok = false;
        }
    };
    step(!ok || ::fsync(fd) == 0);
    step(::close(fd) == 0);
    step(!ok || ::rename(temp.constData(), target.constData()) == 0);
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }

    // The rename reaches the disk with the folder; a failure here leaves the new file in place.
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// The file that a write replaces: a symbolic link's target, so that the link stays.
QString writeTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return path;
}

enum class Edit { Failed, Unchanged, Changed };

// The file's bytes with the key set to `value`.
Edit edit(const QString& path, QStringView s, QStringView k, const QString& value, QByteArray& result, int& error)
{
    Document doc;
    errno = 0;
    const Load loaded = load(path, doc);
    if (loaded == Load::Unreadable) {
        error = lastError();
        return Edit::Failed;
    }
    // Every other failure below is a text that the file's encoding cannot hold.
    error = EILSEQ;
    const QByteArray before = doc.bytes;
    const Found f = find(doc, s, k, true);

    QByteArray encoded;
    if (f.key >= 0) {
        const Line& line = doc.lines[size_t(f.key)];
        QStringView name;
        QStringView old;
        keyLine(line.text, name, old);
        if (!encode(doc, name.toString() + QLatin1Char('=') + value, encoded))
            return Edit::Failed;
        doc.bytes.replace(line.begin, line.end - line.begin, encoded);
    } else if (f.section >= 0) {
        if (!encode(doc, k.toString() + QLatin1Char('=') + value, encoded))
            return Edit::Failed;
        const int after = f.lastKey >= 0 ? f.lastKey : f.section;
        insertLines(doc, doc.lines[size_t(after)].next, encoded + doc.eol);
    } else {
        const QString lines = QLatin1Char('[') + s.toString() + QLatin1Char(']') + QString::fromLatin1(doc.eol)
                              + k.toString() + QLatin1Char('=') + value + QString::fromLatin1(doc.eol);
        if (!encode(doc, lines, encoded))
            return Edit::Failed;
        // A blank line before the new section unless the file is empty or already ends with one.
        if (!doc.lines.empty() && !trimBlanks(doc.lines.back().text).isEmpty())
            encoded.prepend(doc.eol);
        insertLines(doc, doc.bytes.size(), encoded);
    }

    if (doc.bytes == before && loaded == Load::Ok)
        return Edit::Unchanged;
    result = doc.bytes;
    return Edit::Changed;
}

}  // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::read(const QString& section, const QString& key, int bufferLength) const
{
    if (bufferLength <= 1)
        return {};
    Document doc;
    if (load(m_path, doc) != Load::Ok)
        return {};
    const QStringView s = trimBlanks(section);
    const QStringView k = trimBlanks(key);
    if (s.isEmpty() || k.isEmpty())
        return {};
    const Found f = find(doc, s, k, false);
    if (f.key < 0)
        return {};
    QStringView name;
    QStringView value;
    keyLine(doc.lines[size_t(f.key)].text, name, value);
    return unquote(value).left(bufferLength - 1).toString();
}

bool IniFile::write(const QString& section, const QString& key, const QString& value, int* errorNumber) const
{
    int error = 0;
    const bool written = writeKey(section, key, value, error);
    if (errorNumber)
        *errorNumber = written ? 0 : error;
    return written;
}

bool IniFile::writeKey(const QString& section, const QString& key, const QString& value, int& error) const
{
    error = EINVAL;
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    const QStringView s = trimBlanks(section);
    const QStringView k = trimBlanks(key);
    if (!writableNames(s, k))
        return false;

    // A first look without the lock: a refused or unchanged write never takes it, so
    // it needs no writable folder.
    QByteArray bytes;
    const Edit look = edit(m_path, s, k, value, bytes, error);
    if (look != Edit::Changed)
        return look == Edit::Unchanged;

    const QString target = writeTarget(m_path);
    const QFileInfo info(target);
    // The rename would replace a file that its owner made read-only.
    if (info.exists() && ::faccessat(AT_FDCWD, QFile::encodeName(target).constData(), W_OK, AT_EACCESS) != 0) {
        error = lastError();
        return false;
    }
    errno = 0;
    if (!info.absoluteDir().exists() && !QDir().mkpath(info.absolutePath())) {
        error = lastError();
        return false;
    }
    const WriteLock lock(target);
    if (!lock.held()) {
        error = lock.error();
        return false;
    }
    // Read again under the lock: another program may have changed the file meanwhile.
    switch (edit(target, s, k, value, bytes, error)) {
    case Edit::Failed:
        return false;
    case Edit::Unchanged:
        return true;
    case Edit::Changed:
        break;
    }
    return save(target, bytes, error);
}

}  // namespace ini
