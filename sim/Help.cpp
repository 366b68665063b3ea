// "?" at any point of the input line: the keywords that complete the word being typed, or the
// keywords and parameters that may follow, each with its description. An unknown word gets the
// caret error instead. The session shows the partial line again afterwards.
#include "Help.h"
#include "Commands.h"

#include <algorithm>

namespace tw::sim {

namespace {

using help::Param;

constexpr int kTokenWidth = 24; // the descriptions start in column 26

void appendEntry(QString &out, const QString &token, const QString &description) {
    QString line = "  " + token;
    if (description.isEmpty()) {
        out += line + "\r\n";
        return;
    }
    const int column = 2 + kTokenWidth;
    int width = displayWidth(line);
    do {
        line += ' ';
        ++width;
    } while (width < column);
    // Long descriptions wrap near column 79, continued under themselves.
    bool first = true;
    for (const QString &word : description.split(' ', Qt::SkipEmptyParts)) {
        const int w = displayWidth(word);
        if (!first && width + 1 + w > 79) {
            line += "\r\n" + QString(column, ' ');
            width = column;
            first = true;
        }
        if (!first) {
            line += ' ';
            ++width;
        }
        line += word;
        width += w;
        first = false;
    }
    out += line + "\r\n";
}

bool isValue(const QString &token) {
    return token.contains('<'); // INTEGER<0-7>, STRING<1-64>, <cr>
}

// The parameters that may come at `position` for a command whose keywords the first tokens are.
// A keyword parameter typed on the way may lead to a form of its own ("display ont info by-sn").
std::vector<Param> parametersAt(const std::vector<Token> &tokens, size_t position, const CommandDef &def,
                                ModeKind mode) {
    const auto &all = help::parameters();
    QStringList words;
    for (const QString &w : def.words)
        words << w.toLower();
    const QString base = words.join(' ');
    auto find = [&](const QString &key) -> const help::Positions * {
        if (auto it = all.find(QLatin1String(modeTablesOf(mode).scope) + ':' + key); it != all.end())
            return &it->second;
        if (auto it = all.find(key); it != all.end()) return &it->second;
        return nullptr;
    };
    const help::Positions *positions = find(base);
    size_t from = def.words.size(); // the first typed parameter of the current form
    for (size_t i = def.words.size(); i < position; ++i)
        if (const help::Positions *form = find(base + ' ' + tokens[i].text.toLower())) {
            positions = form;
            from = i + 1;
        }
    static const std::vector<Param> end = {{"<cr>", {"", ""}}};
    if (!positions) return end;
    const size_t at = position - from;
    // After a keyword that ends the command only the end may follow.
    if (at > 0 && at - 1 < positions->size())
        for (const Param &p : (*positions)[at - 1])
            if (p.final && tokens[position - 1].text.compare(p.token, Qt::CaseInsensitive) == 0) return end;
    return at < positions->size() ? (*positions)[at] : end;
}

} // namespace

void showHelp(Session &s, const QString &partial) {
    const std::vector<Token> tokens = tokenize(partial);
    // "display ont?" completes the word "ont"; "display ont ?" asks what follows it.
    const bool completing = !tokens.empty() && !partial.back().isSpace();
    const size_t position = completing ? tokens.size() - 1 : tokens.size();
    const QString prefix = completing ? tokens.back().text : QString();
    const ModeTables &mode = modeTablesOf(kindOf(s.mode()));
    const auto &tables = mode.tables;
    const KeywordIndex keywords(tables);

    std::map<QString, QString> found; // keyword -> description, listed in order
    const CommandDef *command = nullptr;
    size_t deepest = 0;
    for (const CommandTable *table : tables)
        for (const CommandDef &def : *table) {
            const size_t need = std::min(position, def.words.size());
            size_t matched = 0;
            while (matched < need && keywords.matches(tokens[matched].text, def.words[matched], matched))
                ++matched;
            deepest = std::max(deepest, matched);
            if (matched < need) continue;
            if (def.words.size() > position) {
                const QString &word = def.words[position];
                if (!word.startsWith(prefix, Qt::CaseInsensitive)) continue;
                QStringList path;
                for (size_t i = 0; i <= position; ++i)
                    path << def.words[i].toLower();
                const help::Text *text = help::keywordText(mode.scope, path.join(' '));
                found[word.toLower()] = text ? tr(s.lang(), *text) : QString();
            } else if (!command || def.words.size() > command->words.size()) {
                command = &def;
            }
        }

    std::vector<Param> params;
    if (command)
        for (const Param &p : parametersAt(tokens, position, *command, mode.kind))
            if (!completing ||
                (QString(p.token) != "<cr>" &&
                 (isValue(p.token) || QString(p.token).startsWith(prefix, Qt::CaseInsensitive))))
                params.push_back(p);
    if (found.empty() && params.empty()) {
        const size_t at = std::min(deepest, tokens.size() - (tokens.empty() ? 0 : 1));
        s.error(CliError::Unknown, tokens.empty() ? 0 : tokens[at].column);
        return;
    }
    // Keywords in alphabetical order, then the values, then the end of the command.
    std::vector<Param> last;
    for (const Param &p : params) {
        if (isValue(p.token))
            last.push_back(p);
        else
            found.try_emplace(QString(p.token), tr(s.lang(), p.text));
    }
    std::stable_partition(last.begin(), last.end(),
                          [](const Param &p) { return QString(p.token) != "<cr>"; });
    QString out;
    for (const auto &[word, description] : found)
        appendEntry(out, word, description);
    for (const Param &p : last)
        appendEntry(out, p.token, tr(s.lang(), p.text));
    s.print(out);
}

} // namespace tw::sim
