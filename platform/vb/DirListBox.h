#pragma once
// The folder list control (the scan window's hidden Dir1): the folder shown as
// a drive path ("C:/home/anna"), its sub-folders listed at once in the walk's
// order. Setting the path from code always raises Change, also for the same
// folder, so that "+" reads the next disc of a set.
#include "platform/system/Drives.h"
#include "platform/vb/VbControls.h"

#include <QStringList>

namespace vb {

class DirListBox : public ListBox {
    Q_OBJECT
public:
    DirListBox(sys::Drives* drives, QWidget* parent = nullptr);

    const QString& Path() const { return m_path; }
    // "D:/", "C:/home/anna", "C:/home/anna/.." (the parent); never above the drive's root.
    void setPath(const QString& drivePath);
    // A folder this control listed: its path as shown and its bytes on disk
    // (ListOrdner), which a name that is no valid text needs to be found again.
    void setPath(const QString& drivePath, const QByteArray& ordner);
    // Lists the sub-folders again: no symbolic links, none on another file system.
    void Refresh();

    int ListCount() const { return static_cast<int>(m_unterordner.size()); }
    // The full drive path of sub-folder i.
    QString List(int i) const;
    // The folder on disk of sub-folder i, as bytes.
    QByteArray ListOrdner(int i) const;
    // The folder on disk of the path shown; empty when the drive has none.
    const QByteArray& ordnerAufPlatte() const { return m_ordner; }

signals:
    void Change();

private:
    sys::Drives* m_drives;
    QString m_path;
    QByteArray m_ordner;
    QByteArray m_ordnerGegeben;  // the bytes of a folder chosen by its own; else the drive maps the path
    QStringList m_unterordner;
    QList<QByteArray> m_unterordnerRoh;
};

}  // namespace vb
