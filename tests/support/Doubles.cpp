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

namespace {

// The front of a script, taken from it; an empty script answers as a cancel.
template <class Answer>
Answer nextAnswer(std::deque<Answer>& script)
{
    if (script.empty())
        return Answer{};
    const Answer answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

std::optional<long> FakeDialogs::chooseColor(long)
{
    calls << QStringLiteral("color");
    return nextAnswer(colors);
}

std::optional<sys::Dialogs::FontChoice> FakeDialogs::chooseFont(const FontChoice&, const QString& title)
{
    calls << (title.isEmpty() ? QStringLiteral("font") : QStringLiteral("font ") + title);
    return nextAnswer(fonts);
}

QString FakeDialogs::openFile(const QString& title, const QString& folder, const QString& filter,
                              const QString& startName)
{
    calls << QStringLiteral("open ") + folder;
    openRequests.push_back({title, folder, filter, startName});
    return nextAnswer(files);
}

bool FakePrinter::starten()
{
    if (m_gescheitert)
        return false;
    if (m_regel)
        return true;
    if (failAtStart || keinDrucker) {
        m_gescheitert = true;
        return false;
    }
    m_regel.emplace(breite);
    zeilen.clear();
    m_zeileOffen = false;
    m_items = 0;
    return true;
}

bool FakePrinter::print(int spalte, const QString& text, const QTextOption&)
{
    if (!starten())
        return false;
    if (m_items++ == failAtItem) {
        m_gescheitert = true;
        return false;
    }
    const sys::Spaltenregel::Platz platz = m_regel->setzen(spalte, text);
    if (!m_zeileOffen || platz.neueZeile)
        zeilen.emplace_back();
    zeilen.back().emplace_back(spalte, text);
    m_zeileOffen = true;
    return true;
}

bool FakePrinter::newLine()
{
    if (!starten())
        return false;
    if (!m_zeileOffen)
        zeilen.emplace_back();
    m_zeileOffen = false;
    m_regel->zeilenende();
    return true;
}

bool FakePrinter::endDoc()
{
    ++endDocs;
    const bool gut = !m_gescheitert;
    dokumente.push_back(m_regel ? std::move(zeilen) : std::vector<Zeile>{});
    zeilen.clear();
    m_regel.reset();
    m_gescheitert = false;
    return gut;
}

sys::Printer::Einrichtung FakePrinter::setup()
{
    ++setupCalls;
    if (setups.empty())
        return Einrichtung::Abgebrochen;
    const Einrichtung antwort = setups.front();
    setups.pop_front();
    if (antwort == Einrichtung::Gewaehlt)
        keinDrucker = false;
    return antwort;
}

sys::Programmende FakeProzesse::ausfuehren(const sys::Programmlauf& lauf)
{
    laeufe.push_back(lauf);
    if (antworten.empty()) {
        sys::Programmende nicht;
        nicht.fehler = QStringLiteral("kein Lauf vorgesehen");
        return nicht;
    }
    Antwort a = antworten.front();
    antworten.pop_front();
    for (const QString& z : a.zeilen) {
        if (lauf.abbrechen && lauf.abbrechen()) {
            a.ende = {};
            a.ende.art = sys::Programmende::Art::Abgebrochen;
            return a.ende;
        }
        if (lauf.zeile)
            lauf.zeile(z);
    }
    if (lauf.abbrechen && lauf.abbrechen()) {
        a.ende = {};
        a.ende.art = sys::Programmende::Art::Abgebrochen;
    }
    return a.ende;
}

namespace {

class FakeAnzeige : public sys::Fortschrittsanzeige {
public:
    explicit FakeAnzeige(FakeFortschritt& f) : m_f(f) { ++m_f.offen; }
    ~FakeAnzeige() override { --m_f.offen; }
    void setzen(const QString& text, long long, long long) override { m_f.texte << text; }
    bool abgebrochen() const override { return m_f.abbrechenNach >= 0 && m_f.texte.size() >= m_f.abbrechenNach; }

private:
    FakeFortschritt& m_f;
};

}  // namespace

std::unique_ptr<sys::Fortschrittsanzeige> FakeFortschritt::zeigen(const QString& t, const QString& text)
{
    titel << t;
    texte << text;
    return std::make_unique<FakeAnzeige>(*this);
}

FakeServices::FakeServices(const QString& folder)
{
    services.programFolder = folder;
    sys::wireServices(services, *this);
}

}  // namespace testing_support
