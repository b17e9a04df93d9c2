#include "Help.h"

#include <cctype>

#include "Command.h"
#include "store/Version.h"

namespace pelo::cli {

namespace {

// `aide` is run by fibtool itself; it has a descriptor for its help only.
const Command kAide{
    .name = "aide",
    .synopsis = "[COMMANDE]",
    .summary = "ce texte, ou l'aide d'une commande",
    .description = "L'aide générale, ou celle d'une commande.\n",
    .options = {},
    .example = "fibtool aide collecte",
};

const Command* described(const std::string& name) { return name == kAide.name ? &kAide : findCommand(name); }

constexpr std::size_t kListColumn = 53;    // the general help's summaries
constexpr std::size_t kOptionColumn = 19;  // a command page's option texts

// text padded with spaces to column `column`, or followed by a new line and the indent when it reaches it.
std::string padded(const std::string& text, std::size_t column) {
    if (text.size() < column) return text + std::string(column - text.size(), ' ');
    return text + "\n" + std::string(column, ' ');
}

// Lines after the first set under the first, at column `column`.
std::string indented(const std::string& text, std::size_t column) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '\n') out += std::string(column, ' ');
    }
    return out;
}

std::string optionLabel(const Option& o) {
    if (!o.label.empty()) return o.label;
    return "--" + o.name + (o.argument.empty() ? "" : " " + o.argument);
}

std::string listLine(const Command& c) {
    const std::string& synopsis = c.shortSynopsis.empty() ? c.synopsis : c.shortSynopsis;
    return padded("  " + c.name + " " + synopsis, kListColumn) + c.summary + "\n";
}

std::string page(const Command& c) {
    std::string out = "Usage : fibtool " + c.name + " " + c.synopsis + "\n" + c.description + "\n";
    bool anyOption = false;
    for (const Option& o : c.options) {
        if (o.help.empty()) continue;
        out += padded("  " + optionLabel(o), kOptionColumn) + indented(o.help, kOptionColumn) + "\n";
        anyOption = true;
    }
    if (anyOption) out += "\n";
    return out + c.notes + "Exemple : " + c.example + "\n";
}

// Text for roff: backslashes and hyphens escaped, a line never starting with a control character.
std::string roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else if (c == '\n') out += '\n';
        else out += c;
    }
    std::string safe;
    bool lineStart = true;
    for (char c : out) {
        if (lineStart && (c == '.' || c == '\'')) safe += "\\&";
        safe += c;
        lineStart = c == '\n';
    }
    return safe;
}

// A synopsis in roff: options in bold, the words to replace (FICHIER, A.Atx) in italics, on one line.
std::string roffSynopsis(const std::string& synopsis) {
    std::string out, word;
    auto flush = [&] {
        if (word.empty()) return;
        std::size_t b = 0, e = word.size();
        while (b < e && word[b] == '[') ++b;
        while (e > b && word[e - 1] == ']') --e;
        const std::string core = word.substr(b, e - b);
        const bool option = core.rfind("--", 0) == 0;
        bool upper = false, lower = false;
        for (char c : core) {
            upper = upper || std::isupper(static_cast<unsigned char>(c)) != 0;
            lower = lower || std::islower(static_cast<unsigned char>(c)) != 0;
        }
        const bool placeholder = !option && upper && (!lower || core.find('.') != std::string::npos);
        out += word.substr(0, b);
        if (option) out += "\\fB" + roff(core) + "\\fR";
        else if (placeholder) out += "\\fI" + roff(core) + "\\fR";
        else out += roff(core);
        out += word.substr(e);
        word.clear();
    };
    for (char c : synopsis) {
        if (c == ' ' || c == '\n') {
            flush();
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            word += c;
        }
    }
    flush();
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The description's lines joined into one paragraph (roff fills it).
std::string paragraph(const std::string& text) {
    std::string out = text;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return roff(out) + "\n";
}

}  // namespace

std::string generalHelp() {
    std::string out =
        "Usage : fibtool [-C DOSSIER] COMMANDE [OPTIONS]\n"
        "Travaille sur les fichiers de PELORAMIX (FIB.DAT, fichiers de collection, synthèses).\n"
        "\n"
        "Commandes :\n";
    for (const Command* c : commands()) out += listLine(*c);
    out += listLine(kAide);
    out +=
        "\n"
        "Options générales :\n"
        "  -C DOSSIER      travaille dans DOSSIER (le dossier de travail du programme)\n"
        "  -h, --help      affiche cette aide\n"
        "  --version       affiche la version\n"
        "\n"
        "« fibtool COMMANDE --help » décrit une commande, ses options et un exemple.\n"
        "Résultats sur la sortie standard, erreurs sur la sortie d'erreur.\n"
        "\n"
        "Codes de sortie : 0 succès, 1 erreur de fichier, 2 erreur d'usage,\n"
        "3 aucune fiche sélectionnée par une synthèse.\n"
        "Page de manuel : man fibtool\n";
    return out;
}

std::optional<std::string> commandHelp(const std::string& command) {
    const Command* c = described(command);
    if (!c) return std::nullopt;
    return page(*c);
}

std::string manCommands() {
    std::string out;
    for (const Command* c : commands()) {
        out += ".TP\n\\fB" + roff(c->name) + "\\fR " + roffSynopsis(c->synopsis) + "\n" + paragraph(c->description);
        bool listed = false;
        for (const Option& o : c->options) {
            if (o.help.empty()) continue;
            if (!listed) out += ".RS\n";
            listed = true;
            out += ".TP\n.B " + roff(optionLabel(o)) + "\n" + paragraph(o.help);
        }
        if (listed) out += ".RE\n";
        if (!c->notes.empty()) out += ".IP\n" + paragraph(c->notes);
    }
    return out;
}

std::string versionText() {
    return std::string("fibtool (PELORAMIX) ") + programVersion() + "\n" + licenceLine() + "\n" + kNoWarranty + "\n";
}

}  // namespace pelo::cli
