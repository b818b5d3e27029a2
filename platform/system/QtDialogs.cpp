#include "platform/system/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFont>
#include <QFontDialog>

namespace sys {

namespace {

// Windows colour numbers hold red in the lowest byte: 0x00BBGGRR.
QColor fromColorNumber(long number)
{
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

long toColorNumber(const QColor& color)
{
    return long(color.red()) + 256L * color.green() + 65536L * color.blue();
}

}  // namespace

std::optional<long> QtDialogs::chooseColor(long initial)
{
    const QColor chosen = QColorDialog::getColor(fromColorNumber(initial));
    if (!chosen.isValid())
        return std::nullopt;
    return toColorNumber(chosen);
}

std::optional<Dialogs::FontChoice> QtDialogs::chooseFont(const FontChoice& initial, const QString& title)
{
    QFont start;
    if (!initial.name.isEmpty())
        start.setFamilies({initial.name});
    start.setBold(initial.bold);
    if (initial.size > 0)
        start.setPointSizeF(initial.size);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, nullptr, title);
    if (!ok)
        return std::nullopt;
    return FontChoice{chosen.family(), chosen.bold(), chosen.pointSizeF()};
}

QString QtDialogs::openFile(const QString& title, const QString& folder, const QString& filter,
                           const QString& startName)
{
    QFileDialog dialog(nullptr, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // ".JPG" is a picture too: the name filters ignore letter case.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!startName.isEmpty())
        dialog.selectFile(startName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

}  // namespace sys
