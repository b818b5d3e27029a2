#pragma once
// What a program a user would run (pdftotext, pdfinfo) writes to its output.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing_support {

// The standard output of the program, "" when it cannot run or fails.
inline QString programmausgabe(const QString& programm, const QStringList& argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace testing_support
