#pragma once
#include <QStringList>
#include <optional>

namespace frame {

// Sorts the texts between the bounds in place, ascending by code unit; missing
// bounds mean the whole list. Recursive quicksort with the middle element as
// pivot.
void QuickSort(QStringList& texte, std::optional<qsizetype> unten = std::nullopt,
               std::optional<qsizetype> oben = std::nullopt);

}  // namespace frame
