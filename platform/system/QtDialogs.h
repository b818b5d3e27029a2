#pragma once
// The common dialogs of a running program: Qt's colour, font and file dialogs,
// modal and without a parent window.
#include "platform/system/Services.h"

namespace sys {

class QtDialogs : public Dialogs {
public:
    std::optional<long> chooseColor(long initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial, const QString& title = {}) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter,
                     const QString& startName = {}) override;
};

}  // namespace sys
