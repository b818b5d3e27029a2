#pragma once
// One drive whose root is a folder of the benchmark's own, always ready.
#include "platform/system/Drives.h"

#include <QString>

#include <utility>

namespace bench {

class EinLaufwerk : public sys::Drives {
public:
    // `wurzel` empty: a drive without folders.
    EinLaufwerk(QString buchstabe, int typ, QString bezeichnung, QString wurzel = {})
        : m_buchstabe(std::move(buchstabe)), m_typ(typ), m_bezeichnung(std::move(bezeichnung)),
          m_wurzel(std::move(wurzel))
    {
    }
    QList<sys::Drive> list() override { return {{m_buchstabe, m_typ, m_wurzel, {}}}; }
    sys::DriveDetails details(const QString&) override { return {true, m_bezeichnung, {}, 0, 1, 0}; }
    QString folderOf(const QString& drivePath) override
    {
        if (m_wurzel.isEmpty())
            return {};
        const sys::DrivePath p = sys::splitDrivePath(drivePath);
        return p.inside.isEmpty() ? m_wurzel : m_wurzel + u'/' + p.inside;
    }
    void openTray(const QString&) override {}
    void closeTray(const QString&) override {}

private:
    QString m_buchstabe;
    int m_typ;
    QString m_bezeichnung;
    QString m_wurzel;
};

}  // namespace bench
