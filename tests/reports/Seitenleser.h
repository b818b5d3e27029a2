#pragma once
// A report page as a browser reads it (html_lesen.py): encoding, title,
// heading, table head, rows, links.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>
#include "tests/Quellordner.h"

namespace testing_support {

inline QJsonObject seiteLesen(const QString& pfad)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(RDX_SOURCE_DIR "/tests/reports/html_lesen.py"), pfad});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        ADD_FAILURE() << "html_lesen.py: " << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

}  // namespace testing_support
