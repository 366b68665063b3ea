#pragma once
// The texts "?" lists: what each keyword does, and the parameters commands take after their
// keywords, position by position.

#include "Render.h"
#include "Session.h"

#include <QString>

#include <map>
#include <vector>

namespace tw::sim::help {

using Text = sim::Text;

// A keyword's description, looked up by the mode's scope and its path ("srv:port vlan"), by its
// path ("display ont"), else by the word alone; nothing when there is none.
const Text *keywordText(const QString &scope, const QString &path);

// One thing that may come at a parameter position: a keyword ("all"), a value ("INTEGER<0-7>") or
// "<cr>", the end of the command. A keyword marked final leaves only the end after it.
struct Param {
    const char *token;
    Text text;
    bool final = false;
};
using Positions = std::vector<std::vector<Param>>;

// The parameters of a command, by its keywords and any keyword parameters typed after them
// ("display ont info by-sn"), in lower case. A scope ("pon:", "srv:") picks a mode's own form.
const std::map<QString, Positions> &parameters();

} // namespace tw::sim::help
