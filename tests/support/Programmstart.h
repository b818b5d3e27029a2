#pragma once
// A program of ours started for real, headless and from elsewhere than its
// own folder, as a user starts it; ended when the object goes.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <string>

namespace testing_support {

// Waits until the condition holds or the time is up.
template <class F> bool waitFor(F condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// The machine's environment on the offscreen platform.
inline QProcessEnvironment headless()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

struct Programmstart {
    Programmstart(const QString& program, const QProcessEnvironment& env, const QStringList& arguments = {})
    {
        process.setProcessEnvironment(env);
        // Started from elsewhere: the program finds its folder by its own path.
        process.setWorkingDirectory(QDir::tempPath());
        process.start(program, arguments);
    }
    ~Programmstart() { end(); }
    Programmstart(const Programmstart&) = delete;
    Programmstart& operator=(const Programmstart&) = delete;

    void end()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    // Still running once the splash has given way to the main window.
    bool runsPastTheSplash() { return !process.waitForFinished(2500) && process.state() == QProcess::Running; }
    std::string output() { return process.readAllStandardError().toStdString(); }

    QProcess process;
};

}  // namespace testing_support
