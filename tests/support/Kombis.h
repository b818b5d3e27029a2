#pragma once
// Reading and choosing the entries of a combo box as a user does.
#include <QString>
#include <QStringList>

class QComboBox;

namespace testing_support {

// The entries of a combo box.
QStringList einträge(const QComboBox* box);

// Picks the entry in the box as a user does (the box's "Click"): the box
// reports it as activated. Fails the test when the box has no such entry.
void wählen(QComboBox* box, const QString& text);

}  // namespace testing_support
