#pragma once
// The message boxes of the services context, on their own: they need Qt Core
// only, so that a library without windows (the report writers) can take them.
#include <QString>

namespace sys {

// MsgBox flags and answers, with the values of the original runtime.
namespace mb {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;

constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace mb

// The main program's own title; each program sets its own in Services::title.
inline const QString& programTitle()
{
    static const QString title = QStringLiteral("Rondavex");
    return title;
}

class MessageService {
public:
    virtual ~MessageService() = default;
    // MsgBox(prompt, flags, title): modal, without a parent window. An empty
    // title shows the program's title. Returns the answer (mb::Ok, mb::Yes, ...).
    virtual int msgBox(const QString& prompt, int flags = mb::OkOnly, const QString& title = {}) = 0;
};

}  // namespace sys
