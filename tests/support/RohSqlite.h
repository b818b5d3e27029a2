#pragma once
// Reading a catalogue as a stock SQLite program does: a plain connection with
// none of our collations or functions.
#include <QString>
#include <QStringList>

#include <vector>

namespace testing_support {

// Rows of a query through a plain SQLite connection (no collation or function
// of ours), each as its columns' texts ("<null>" for Null).
std::vector<QStringList> roh(const QString& pfad, const QString& sql);
// The text of the first column of the first row.
QString rohWert(const QString& pfad, const QString& sql);

}  // namespace testing_support
