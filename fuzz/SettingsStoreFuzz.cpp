// The settings store on an arbitrary config.ini: every key the program knows and every key the file
// holds is read, one key is written, and the file is read again. The written key reads back as
// written, every other key reads as before, every other line of the file is kept byte for byte,
// and writing the same value again changes nothing.
//
// Input: byte 0 picks the key to write, byte 1 the value, the rest is config.ini.

#include "FuzzInput.h"

#include "common/Gbk.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

using namespace tw;

namespace {

std::unique_ptr<QTemporaryDir> scratch;
QString configPath;

const std::vector<Setting> &knownSettings() {
    using namespace settings;
    static const std::vector<Setting> all = [] {
        std::vector<Setting> s{OltAddress,
                               OltPort,
                               OltAccount,
                               OltPassword,
                               OltLabel,
                               NoSkin,
                               LogEnabled,
                               AutoReconnect,
                               AutoServiceFlows,
                               AutoRegister,
                               Iptv,
                               AutoMove,
                               Frame,
                               Slot,
                               Port,
                               ServiceBoard,
                               Period,
                               ServiceOuterVlan,
                               ServiceInnerVlan,
                               IptvOuterVlan,
                               IptvInnerVlan,
                               MulticastVlan,
                               GponLineProfile,
                               GponServiceProfile,
                               EponLineProfile,
                               EponServiceProfile,
                               DefaultDescription,
                               FirstOntNumber,
                               NamingRule,
                               GemPort,
                               GponDefaultLines,
                               GponServiceFlows,
                               EponDefaultLines,
                               EponServiceFlows,
                               BtvLines,
                               MethIndex,
                               MethIp,
                               MethMask,
                               ManagementVlan,
                               ManagementIp,
                               ManagementMask,
                               DefaultRouteIp,
                               DefaultRouteMask,
                               DefaultGateway,
                               CreateVlan,
                               PassThroughBoard,
                               CreatePort,
                               UplinkBoard,
                               UplinkPort,
                               NativeVlan,
                               TimedSave,
                               IntervalSave};
        for (int n = 1; n <= 4; ++n) {
            s.push_back(counter(n));
            s.push_back(counterLimit(n));
        }
        s.push_back(portVlan(QStringLiteral("1/0")));
        return s;
    }();
    return all;
}

// Values as the pages write them, and the awkward ones: blanks at the ends, line breaks typed into
// a multi-line box, characters that mean something in an INI file, full-width blanks.
const QStringList &values() {
    static const QStringList v{
        QStringLiteral("真"),
        QStringLiteral("假"),
        QString(),
        QStringLiteral("0/19"),
        QStringLiteral("service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1"),
        QStringLiteral("  blanks around\t "),
        QStringLiteral("two\r\nlines\rand\nmore"),
        QStringLiteral("a=b"),
        QStringLiteral("[section]"),
        QStringLiteral("; not a comment"),
        QStringLiteral("\u3000全角\u3000"),
        QStringLiteral("pw\\\"'"),
    };
    return v;
}

// What a value reads back as: one line, without the half-width blanks and tabs at its ends.
QString readBack(QString v) {
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!v.isEmpty() && blank(v.front()))
        v.remove(0, 1);
    while (!v.isEmpty() && blank(v.back()))
        v.chop(1);
    return v;
}

QByteArrayView trimmedBlanks(QByteArrayView v) {
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

// Every section/key pair that looks like one, as an operator reading the file would list them.
std::vector<Setting> pairsIn(const QByteArray &file) {
    std::vector<Setting> pairs;
    QString section;
    for (const QByteArray &raw : file.split('\n')) {
        const QByteArrayView line = trimmedBlanks(raw);
        if (line.startsWith('[') && line.contains(']')) {
            section = fromGbk(line.sliced(1, line.indexOf(']') - 1));
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && pairs.size() < 64) pairs.push_back({section, fromGbk(line.first(eq)), {}});
    }
    return pairs;
}

bool sameName(const QString &a, const QString &b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// `after` is `before` with at most one line's content replaced and lines inserted: what differs
// between them, once their common start and end are cut off, holds no line break of `before`.
bool otherLinesKept(const QByteArray &before, const QByteArray &after) {
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return !before.sliced(head, before.size() - head - tail).contains('\n');
}

// The file as one line of printable ASCII, for the failure message.
QByteArray escaped(const QByteArray &bytes) {
    QByteArray out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\')
            out += c;
        else
            out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
    }
    return out;
}

QByteArray fileBytes() {
    QFile f(configPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    scratch = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tw-fuzz-XXXXXX"));
    if (!scratch->isValid()) fuzz::fail("no scratch directory");
    configPath = scratch->filePath(QStringLiteral("config.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    const Setting &target = knownSettings()[data[0] % knownSettings().size()];
    const QString &value = values()[data[1] % values().size()];
    const QByteArray original(reinterpret_cast<const char *>(data) + 2, qsizetype(size) - 2);
    {
        QFile f(configPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(original) != original.size())
            fuzz::fail("cannot write the scratch config.ini");
    }

    // Load and read every key the program knows, then the keys the file holds; those must read
    // the same after the write.
    SettingsStore store(configPath);
    for (const Setting &k : knownSettings())
        (void)store.read(k);
    const std::vector<Setting> keys = pairsIn(original);
    QStringList before;
    for (const Setting &k : keys)
        before << store.read(k.section, k.key, QStringLiteral("\x01missing"));

    fuzz::require(store.write(target, value), "write failed", store.lastError().toUtf8());
    const QByteArray written = fileBytes();

    // Reload: a fresh store on the file as it is now.
    SettingsStore reloaded(configPath);
    const QString expected = readBack(value);
    fuzz::require(reloaded.read(target) == expected, "the written key does not read back",
                  "key " + target.section.toUtf8() + "/" + target.key.toUtf8() + " reads \"" +
                      reloaded.read(target).toUtf8() + "\", wrote \"" + expected.toUtf8() + "\"");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (sameName(keys[i].section, target.section) && sameName(keys[i].key, target.key)) continue;
        const QString now = reloaded.read(keys[i].section, keys[i].key, QStringLiteral("\x01missing"));
        fuzz::require(now == before[qsizetype(i)], "another key changed",
                      keys[i].section.toUtf8() + "/" + keys[i].key.toUtf8() + ": \"" +
                          before[qsizetype(i)].toUtf8() + "\" became \"" + now.toUtf8() + "\"");
    }
    fuzz::require(otherLinesKept(original, written), "a line of the file was lost or changed",
                  "before: " + escaped(original) + "\nafter:  " + escaped(written));

    fuzz::require(reloaded.write(target, value), "second write failed", reloaded.lastError().toUtf8());
    fuzz::require(fileBytes() == written, "writing the same value again changed the file");
    return 0;
}
