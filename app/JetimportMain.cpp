// jetimport QUELLE ZIEL: converts a catalogue of the Windows program into a
// new catalogue of ours. Run as a child of either program, so that a crash of
// the Jet reader on a damaged file never takes a window with it. Prints
// "Zeilen N von M" a few times a second, the cause of a failure in German on
// standard error, and ends with 0 only when ZIEL is complete.
#include "jetimport/Umwandlung.h"

#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <csignal>
#include <cstdio>

#include <sys/prctl.h>
#include <unistd.h>

namespace {

std::atomic<bool> beenden{false};

void aufhoeren(int)
{
    beenden = true;
}

void zeile(FILE* ziel, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), ziel);
    std::fputc('\n', ziel);
    std::fflush(ziel);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        zeile(stderr, QStringLiteral("Aufruf: jetimport QUELLE ZIEL"));
        return 2;
    }
    struct sigaction handlung = {};
    handlung.sa_handler = aufhoeren;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &handlung, nullptr);
    // A program that started it and was killed leaves no conversion behind
    // that finishes on its own: it ends this one as a cancel does.
    const pid_t eltern = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != eltern)
        beenden = true;

    const QString quelle = QString::fromLocal8Bit(argv[1]);
    const QString ziel = QString::fromLocal8Bit(argv[2]);
    QElapsedTimer uhr;
    uhr.start();
    long long zuletzt = -1;
    long long gesamt = 0;
    try {
        jetimport::umwandeln(
            quelle, ziel,
            [&](long long erledigt, long long alle) {
                gesamt = alle;
                if (zuletzt < 0 || uhr.elapsed() >= 200) {
                    zeile(stdout, QStringLiteral("Zeilen %1 von %2").arg(erledigt).arg(alle));
                    zuletzt = erledigt;
                    uhr.restart();
                }
            },
            [] { return beenden.load(); });
    } catch (const jetimport::Fehler& e) {
        zeile(stderr, e.text());
        return 1;
    } catch (const std::exception& e) {
        zeile(stderr, QString::fromLocal8Bit(e.what()));
        return 1;
    }
    zeile(stdout, QStringLiteral("Zeilen %1 von %1").arg(gesamt));
    return 0;
}
