#pragma once
// The windows of both programs, each opened as a user opens it, in a program
// folder of its own with the shipped language file; and what a user would
// find cut in a window.
#include <QString>
#include <QWidget>

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace testing_support {

// A program folder, its doubles and the windows opened in it; the window the
// case is about.
struct Sitzung {
    virtual ~Sitzung();
    QWidget* fenster = nullptr;
};

struct Fensterfall {
    const char* name;
    std::unique_ptr<Sitzung> (*öffnen)();
};

// Every window of the catalogue program and the tools program, the main
// window and the scan window also in their other modes.
std::span<const Fensterfall> alleFenster();

// What the window cuts: each visible control whose text (with its own
// margins, indicator or icon) is wider or taller than the control, and each
// control that reaches out of the widget it lies on. Empty when all is whole.
std::vector<std::string> zugeschnitten(QWidget* fenster);

}  // namespace testing_support
