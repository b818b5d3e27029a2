#pragma once
// A fresh temporary folder per test, removed afterwards.
#include "tests/support/QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    const QString& path() const { return m_path; }
    QString file(const QString& name) const { return m_path + QLatin1Char('/') + name; }
    // Writes raw bytes to a file below the folder (folders created as needed).
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A file's bytes, "<missing>" when it cannot be read.
QByteArray fileBytes(const QString& path);
// Every file and folder below `folder`, relative to it, sorted.
QStringList entriesBelow(const QString& folder);

}  // namespace testing_support
