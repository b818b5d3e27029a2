// The main of a fuzz target in a build without libFuzzer: runs the target once
// on each file named, and on each file of each folder named.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse);

int main(int argc, char** argv)
{
    int gelaufen = 0;
    for (int i = 1; i < argc; ++i) {
        const QString name = QFile::decodeName(argv[i]);
        QStringList dateien;
        if (QFileInfo(name).isDir()) {
            for (QDirIterator alle(name, QDir::Files); alle.hasNext();)
                dateien << alle.next();
            dateien.sort();
        } else {
            dateien << name;
        }
        for (const QString& datei : dateien) {
            QFile f(datei);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(datei));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++gelaufen;
        }
    }
    std::printf("%d inputs run\n", gelaufen);
    return gelaufen > 0 ? 0 : 1;
}
