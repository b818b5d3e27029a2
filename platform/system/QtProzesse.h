#pragma once
// The child processes and the progress dialog of a running program.
#include "platform/system/Prozesse.h"

namespace sys {

class QtProzesse : public Prozesse {
public:
    Programmende ausfuehren(const Programmlauf& lauf) override;
};

class QtFortschritt : public Fortschritt {
public:
    std::unique_ptr<Fortschrittsanzeige> zeigen(const QString& titel, const QString& text) override;
};

}  // namespace sys
