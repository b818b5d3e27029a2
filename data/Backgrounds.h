#pragma once
// The six background pictures that ship in "bilder", drawn by our own code so that the
// program folder carries no picture of foreign origin. The output is the same on every run.
#include <QString>

namespace shipped {

// Writes space.jpg, bug.jpg, foret.jpg, lacs.jpg, desert.jpg and Voyager.jpg into folder
// (created when missing). Needs a QGuiApplication; draws no text, so no fonts are needed.
// On failure returns false and, when given, sets *error to a German message.
bool renderBackgrounds(const QString& folder, QString* error = nullptr);

}  // namespace shipped
