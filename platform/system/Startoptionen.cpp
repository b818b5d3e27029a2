#include "platform/system/Startoptionen.h"

#include <string>
#include <string_view>

namespace sys {

std::string aufrufzeile(const Programmaufruf& programm)
{
    return std::string("Aufruf: ") + programm.befehl + " [--help | --version]\n";
}

std::optional<int> startoptionen(int argc, const char* const* argv, const Programmaufruf& programm, std::FILE* out,
                                 std::FILE* err)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            const std::string text = aufrufzeile(programm) + "\n" + programm.beschreibung
                                     + "\nOptionen:\n"
                                       "  --help     zeigt diese Hilfe und endet\n"
                                       "  --version  zeigt die Version und endet\n";
            std::fputs(text.c_str(), out);
            return std::fflush(out) == 0 ? 0 : 1;
        }
        if (argument == "--version") {
            std::fprintf(out, "%s %s\n", programm.name, programm.version);
            return std::fflush(out) == 0 ? 0 : 1;
        }
        const char* art = argument.starts_with('-') ? "unbekannte Option" : "unerwartetes Argument";
        std::fprintf(err, "%s: %s \"%s\"\n%s", programm.befehl, art, argv[i], aufrufzeile(programm).c_str());
        return 2;
    }
    return std::nullopt;
}

}  // namespace sys
