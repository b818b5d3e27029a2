#include "frame/modQuickSort.h"

#include <cmath>

namespace frame {

void QuickSort(QStringList& texte, std::optional<qsizetype> unten, std::optional<qsizetype> oben)
{
    const qsizetype low = unten.value_or(0);
    const qsizetype high = oben.value_or(texte.size() - 1);
    if (low >= high)
        return;
    qsizetype i = low;
    qsizetype j = high;
    // The middle index with a half rounded to the even neighbour.
    const QString pivot = texte[qsizetype(std::nearbyint((double(low) + double(high)) / 2.0))];
    do {
        while (QString::compare(texte[i], pivot, Qt::CaseSensitive) < 0)
            ++i;
        while (QString::compare(texte[j], pivot, Qt::CaseSensitive) > 0)
            --j;
        if (i <= j) {
            texte.swapItemsAt(i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j)
        QuickSort(texte, low, j);
    if (i < high)
        QuickSort(texte, i, high);
}

}  // namespace frame
