#include "platform/system/QtServices.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace sys {

int QtMessageService::msgBox(const QString& prompt, int flags, const QString& title)
{
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? m_defaultTitle : title);
    box.setText(prompt);
    switch (flags & 0x70) {
    case mb::Critical: box.setIcon(QMessageBox::Critical); break;
    case mb::Question: box.setIcon(QMessageBox::Question); break;
    case mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case mb::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }

    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (flags & 7) {
    case mb::OkCancel: choices = {{QMessageBox::Ok, mb::Ok}, {QMessageBox::Cancel, mb::Cancel}}; break;
    case mb::YesNoCancel:
        choices = {{QMessageBox::Yes, mb::Yes}, {QMessageBox::No, mb::No}, {QMessageBox::Cancel, mb::Cancel}};
        break;
    case mb::YesNo: choices = {{QMessageBox::Yes, mb::Yes}, {QMessageBox::No, mb::No}}; break;
    default: choices = {{QMessageBox::Ok, mb::Ok}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const size_t defaultIndex = (flags & mb::DefaultButton2) && choices.size() > 1 ? 1 : 0;
    box.setDefaultButton(choices[defaultIndex].button);
    if (choices.size() > 1)
        box.setEscapeButton(choices.back().button);

    const int pressed = box.exec();
    for (const auto& c : choices) {
        if (pressed == c.button)
            return c.answer;
    }
    // Closed by the window's close box: the cancelling answer.
    return choices.size() > 1 ? choices.back().answer : mb::Ok;
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

IniUserStore::IniUserStore(QString path) : m_path(std::move(path)) {}

QString IniUserStore::getSetting(const QString& section, const QString& key, const QString& fallback) const
{
    const QString value = ini::IniFile(m_path).read(section, key, 32768);
    return value.isEmpty() ? fallback : value;
}

void IniUserStore::saveSetting(const QString& section, const QString& key, const QString& value)
{
    ini::IniFile(m_path).write(section, key, value);
}

bool DesktopShell::open(const QString& fileOrAddress)
{
    const QUrl url = QFileInfo::exists(fileOrAddress) ? QUrl::fromLocalFile(fileOrAddress)
                                                      : QUrl::fromUserInput(fileOrAddress);
    return QDesktopServices::openUrl(url);
}

bool DesktopShell::start(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}

}  // namespace sys
