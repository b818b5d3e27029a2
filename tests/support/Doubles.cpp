#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

namespace testing_support {

int FakeMessages::msgBox(const QString& prompt, int flags, const QString& title)
{
    shown.push_back({prompt, flags, title});
    if (!m_answers.empty()) {
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    const int buttons = flags & 7;
    if (buttons != sys::mb::OkOnly)
        ADD_FAILURE() << "unexpected message box that needs an answer: " << prompt.toStdString();
    return sys::mb::Ok;
}

QStringList FakeMessages::prompts() const
{
    QStringList out;
    for (const auto& m : shown)
        out << m.prompt;
    return out;
}

QString FakeUserStore::getSetting(const QString& section, const QString& key, const QString& fallback) const
{
    return values.value(section + QLatin1Char('/') + key, fallback);
}

void FakeUserStore::saveSetting(const QString& section, const QString& key, const QString& value)
{
    values.insert(section + QLatin1Char('/') + key, value);
}

bool FakeShell::open(const QString& fileOrAddress)
{
    opened << fileOrAddress;
    return succeed;
}

bool FakeShell::start(const QString& program, const QStringList& arguments)
{
    started << (arguments.isEmpty() ? program : program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
    return succeed;
}

std::optional<long> FakeDialogs::chooseColor(long)
{
    calls << QStringLiteral("color");
    if (colors.empty())
        return std::nullopt;
    const auto c = colors.front();
    colors.pop_front();
    return c;
}

std::optional<sys::Dialogs::FontChoice> FakeDialogs::chooseFont(const FontChoice&, const QString& title)
{
    calls << (title.isEmpty() ? QStringLiteral("font") : QStringLiteral("font ") + title);
    if (fonts.empty())
        return std::nullopt;
    const auto f = fonts.front();
    fonts.pop_front();
    return f;
}

QString FakeDialogs::openFile(const QString&, const QString& folder, const QString&)
{
    calls << QStringLiteral("open ") + folder;
    if (files.empty())
        return {};
    const QString f = files.front();
    files.pop_front();
    return f;
}

FakeServices::FakeServices(const QString& folder)
{
    services.programFolder = folder;
    sys::wireServices(services, *this);
}

}  // namespace testing_support
