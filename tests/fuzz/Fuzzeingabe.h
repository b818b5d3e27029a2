#pragma once
// What every fuzz target shares: the input cut into pieces, text read from
// bytes either way a file or a window may hand it over, a broken rule that ends
// the run like a crash, and a folder on a RAM disk for targets that write files.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const uint8_t* daten, size_t groesse)
{
    return QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse));
}

// The input cut at its first NUL bytes into at most `hoechstens` pieces; the
// last piece keeps any further NUL.
inline QList<QByteArray> teile(const uint8_t* daten, size_t groesse, qsizetype hoechstens)
{
    const QByteArray alles = bytes(daten, groesse);
    QList<QByteArray> stuecke;
    qsizetype von = 0;
    while (stuecke.size() + 1 < hoechstens) {
        const qsizetype nul = alles.indexOf('\0', von);
        if (nul < 0)
            break;
        stuecke.append(alles.mid(von, nul - von));
        von = nul + 1;
    }
    stuecke.append(alles.mid(von));
    return stuecke;
}

// Bytes as UTF-8 (invalid sequences become U+FFFD), or as raw UTF-16 units,
// which may hold lone surrogates as a pasted or typed text can.
inline QString text(const QByteArray& bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes);
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// A broken rule ends the run like a crash, so libFuzzer keeps the input.
[[noreturn]] inline void verletzt(const char* regel)
{
    std::fprintf(stderr, "rule broken: %s\n", regel);
    std::fflush(stderr);
    std::abort();
}

inline void pruefen(bool gilt, const char* regel)
{
    if (!gilt)
        verletzt(regel);
}

// A fresh folder of this process, removed at its end, on a RAM disk where
// there is one: a target that syncs its files stays fast.
class Arbeitsordner {
public:
    explicit Arbeitsordner(const char* name)
    {
        const QString grund = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                                 : QDir::tempPath();
        m_pfad = QStringLiteral("%1/rdx-fuzz-%2-%3")
                     .arg(grund, QLatin1String(name))
                     .arg(QCoreApplication::applicationPid());
        QDir(m_pfad).removeRecursively();
        QDir().mkpath(m_pfad);
    }
    ~Arbeitsordner() { QDir(m_pfad).removeRecursively(); }
    Arbeitsordner(const Arbeitsordner&) = delete;
    Arbeitsordner& operator=(const Arbeitsordner&) = delete;

    const QString& pfad() const { return m_pfad; }

private:
    QString m_pfad;
};

}  // namespace fuzz
