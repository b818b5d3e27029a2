#include "platform/system/QtProzesse.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

namespace sys {

namespace {

// How long a child asked to end (SIGTERM) may take before it is killed.
constexpr int Nachfrist = 2000;

}  // namespace

Programmende QtProzesse::ausfuehren(const Programmlauf& lauf)
{
    QProcess p;
    Programmende ende;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.setProgram(lauf.programm);
    p.setArguments(lauf.argumente);

    QEventLoop schleife;
    QElapsedTimer still;
    QByteArray rest;
    QByteArray fehlerausgabe;
    bool gestartet = false;
    bool beendet = false;
    enum class Grund { Keiner, Zeitlimit, Abgebrochen } grund = Grund::Keiner;

    QObject::connect(&p, &QProcess::started, &schleife, [&] { gestartet = true; });
    QObject::connect(&p, &QProcess::readyReadStandardOutput, &schleife, [&] {
        rest += p.readAllStandardOutput();
        qsizetype umbruch = 0;
        while ((umbruch = rest.indexOf('\n')) >= 0) {
            QByteArray z = rest.left(umbruch);
            rest.remove(0, umbruch + 1);
            if (z.endsWith('\r'))
                z.chop(1);
            still.restart();
            if (lauf.zeile)
                lauf.zeile(QString::fromUtf8(z));
        }
    });
    QObject::connect(&p, &QProcess::readyReadStandardError, &schleife,
                     [&] { fehlerausgabe += p.readAllStandardError(); });
    QObject::connect(&p, &QProcess::finished, &schleife, [&] {
        beendet = true;
        schleife.quit();
    });
    QObject::connect(&p, &QProcess::errorOccurred, &schleife, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            ende.fehler = p.errorString();
            schleife.quit();
        }
    });

    // Asked on a timer: the cancel button and the limit are checked while the
    // child writes nothing too.
    QTimer wache;
    wache.setInterval(50);
    QElapsedTimer frist;
    QObject::connect(&wache, &QTimer::timeout, &schleife, [&] {
        if (grund == Grund::Keiner) {
            if (lauf.abbrechen && lauf.abbrechen())
                grund = Grund::Abgebrochen;
            else if (still.isValid() && still.elapsed() > lauf.stille.count())
                grund = Grund::Zeitlimit;
            if (grund != Grund::Keiner) {
                p.terminate();
                frist.start();
            }
        } else if (frist.elapsed() > Nachfrist) {
            p.kill();
        }
    });

    still.start();
    p.start();
    wache.start();
    if (p.state() != QProcess::NotRunning)
        schleife.exec();
    wache.stop();
    if (!beendet && gestartet)
        p.waitForFinished(-1);

    fehlerausgabe += p.readAllStandardError();
    ende.fehlerausgabe = QString::fromUtf8(fehlerausgabe);
    if (!gestartet && !beendet) {
        ende.art = Programmende::Art::NichtGestartet;
        if (ende.fehler.isEmpty())
            ende.fehler = p.errorString();
        return ende;
    }
    // A run that completed before the request to end reached it has done its work.
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        ende.art = Programmende::Art::Beendet;
    else if (grund == Grund::Abgebrochen)
        ende.art = Programmende::Art::Abgebrochen;
    else if (grund == Grund::Zeitlimit)
        ende.art = Programmende::Art::Zeitlimit;
    else if (p.exitStatus() == QProcess::CrashExit) {
        ende.art = Programmende::Art::Signal;
        ende.code = p.exitCode();
    } else {
        ende.art = Programmende::Art::Beendet;
        ende.code = p.exitCode();
    }
    return ende;
}

namespace {

class QtAnzeige : public Fortschrittsanzeige {
public:
    QtAnzeige(const QString& titel, const QString& text)
    {
        m_dialog.setWindowTitle(titel);
        m_dialog.setLabelText(text);
        m_dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setRange(0, 0);
        m_dialog.setMinimumWidth(360);
        m_dialog.show();
    }

    void setzen(const QString& text, long long wert, long long maximum) override
    {
        m_dialog.setLabelText(text);
        // The bar counts in thousandths: a row count may pass what an int holds.
        if (maximum > 0) {
            m_dialog.setRange(0, 1000);
            m_dialog.setValue(int(qBound(0LL, wert * 1000 / maximum, 1000LL)));
        }
    }

    bool abgebrochen() const override { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
};

}  // namespace

std::unique_ptr<Fortschrittsanzeige> QtFortschritt::zeigen(const QString& titel, const QString& text)
{
    return std::make_unique<QtAnzeige>(titel, text);
}

}  // namespace sys
