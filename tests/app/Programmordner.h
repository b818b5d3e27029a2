#pragma once
// Rondavex as a user runs it from a copied program folder: the executables and
// the shipped files of an installation in a folder of their own, started
// headless from elsewhere.
#include "tests/support/Programmstart.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace testing_support {

inline bool copyInto(const QString& source, const QString& folder)
{
    return QFile::copy(source, folder + '/' + QFileInfo(source).fileName());
}

// Rondavex of `folder`, with its settings store in `config`.
struct Start : Programmstart {
    Start(const QString& folder, const QString& config, QProcessEnvironment env = headless(),
          const QString& program = QStringLiteral("Rondavex"))
        : Programmstart(folder + '/' + program, withConfig(std::move(env), config))
    {
    }
    static QProcessEnvironment withConfig(QProcessEnvironment env, const QString& config)
    {
        env.insert("XDG_CONFIG_HOME", config);
        return env;
    }
};

// The executables and the shipped files of an installation in a folder of their own.
inline ::testing::AssertionResult programmordnerAnlegen(const TempFolder& folder)
{
    const QString program = QStringLiteral(RDX_PROGRAM_DIR);
    for (const char* name : {"Rondavex", "tools", "jetimport", "filme.mdb"})
        if (!copyInto(program + '/' + name, folder.path()))
            return ::testing::AssertionFailure() << name;
    for (const char* name : {"Cd.ini", "deutsch.lng"})
        if (!copyInto(QStringLiteral(RDX_SOURCE_DATA) + '/' + name, folder.path()))
            return ::testing::AssertionFailure() << name;
    QDir().mkpath(folder.file("bilder"));
    if (!copyInto(program + "/bilder/lacs.jpg", folder.file("bilder")))
        return ::testing::AssertionFailure() << "bilder/lacs.jpg";
    return ::testing::AssertionSuccess();
}

}  // namespace testing_support
