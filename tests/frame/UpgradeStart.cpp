// One start's schema check on a program folder, for tests that run several at
// the same moment: each message box is printed on a line of its own ("flags|text")
// and held a moment, as a user reading it would.
#include "frame/Schemaupgrade.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

class Ausgabe : public sys::MessageService {
public:
    int msgBox(const QString& prompt, int flags, const QString&) override
    {
        std::printf("%d|%s\n", flags, QString(prompt).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8().constData());
        std::fflush(stdout);
        QThread::msleep(150);
        return sys::mb::Ok;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    Ausgabe ausgabe;
    sys::Services services;
    services.programFolder = QString::fromLocal8Bit(argv[1]);
    services.messages = &ausgabe;
    frame::Schemaupgrade upgrade(services, QString::fromLocal8Bit(argv[2]));
    return upgrade.przDBVersion() ? 0 : 1;
}
