#pragma once
// Scripts against the small device and what they leave in the dump: the cases of the setup tests.

#include "SimDriver.h"

#include <QJsonArray>

#include <utility>
#include <vector>

namespace tw::sim::testing {

// The small device with a four-port uplink board, so that "0-3" names ports that exist.
inline Device withFourUplinkPorts() {
    Device d = smallDevice();
    d.boards[19].ports = 4;
    return d;
}

// A value of the dump by a path of "|"-separated steps: an object key, or the element of an array
// whose id, name, destination or port is the step ("gpon:10" picks a profile by kind and id).
inline QJsonValue at(const QJsonObject &root, const QString &path) {
    QJsonValue v = root;
    for (const QString &step : path.split('|')) {
        if (v.isObject()) {
            v = v.toObject().value(step);
            continue;
        }
        const QJsonArray list = v.toArray();
        v = QJsonValue(QJsonValue::Undefined);
        for (const QJsonValue &e : list) {
            const QString pon = step.section(':', 0, 0), id = step.section(':', -1);
            const bool byPon = step.contains(':') && e["pon"].toString() == pon;
            if ((byPon || !step.contains(':')) &&
                (QString::number(e["id"].toInt(-1)) == id || e["name"].toString() == step ||
                 e["destination"].toString() == step || e["port"].toString() == step))
                v = e;
        }
    }
    return v;
}

inline const QJsonValue kAbsent(QJsonValue::Undefined);

inline QJsonArray strings(std::initializer_list<const char *> list) {
    QJsonArray out;
    for (const char *s : list)
        out.append(s);
    return out;
}

inline QString runAll(Cli &cli, const QByteArray &script) {
    QString out = cli.send(script);
    while (cli.session->paging())
        out += cli.send(" ");
    return out;
}

struct Case {
    const char *name;
    QByteArray script;
    std::vector<std::pair<const char *, QJsonValue>> effects; // dump path -> value afterwards
    const char *english = nullptr;                            // a line of the reply
    const char *chinese = nullptr;
};

// Each case on a fresh device, in English and in Chinese: the reply line, the prompt, the effects.
inline void runCases(const std::vector<Case> &cases) {
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(chinese ? "Chinese: " : "English: ") + c.name);
            Cli cli(withFourUplinkPorts());
            cli.login(chinese);
            const QString out = runAll(cli, c.script);
            EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
            if (const char *line = chinese ? c.chinese : c.english) {
                EXPECT_TRUE(out.contains(QString::fromUtf8(line) + "\r\n")) << out.toStdString();
            }
            const QJsonObject j = dump(cli.device);
            for (const auto &[path, value] : c.effects)
                EXPECT_EQ(at(j, path), value) << path;
        }
}

} // namespace tw::sim::testing
