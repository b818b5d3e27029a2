#pragma once
// Why a file operation failed, in German: the system and Qt word the usual
// causes in the system's language (English on most machines).
#include <QString>

class QIODevice;

namespace sys {

// From the number the failing system call left in errno.
QString dateigrund(int fehlernummer);
// From a file (or other device) whose operation failed: its error text, reworded.
QString dateigrund(const QIODevice& datei);

}  // namespace sys
