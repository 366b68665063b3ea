#include "admin/OntDataExtraction.h"

#include "common/ActivityLog.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tw {

namespace {

// A backup of a full chassis is a few megabytes; anything far larger is not a configuration.
constexpr qint64 MaxBackupBytes = 256 * 1024 * 1024;

struct PonSyntax {
    QByteArrayView section;   // where the registrations stand, up to "[bbs-config]"
    QByteArrayView interface; // the line that names the board
    QByteArrayView auth;      // the registrations we list
    QByteArrayView protocol;  // what ends port, ONT id and key in a registration line
};

const PonSyntax Gpon{"[gpon]", "interface gpon", "sn-auth", " omci"};
const PonSyntax Epon{"[epon]", "interface epon", "mac-auth", " oam"};

// The bytes after the first `left` up to the next `right`; empty when either is missing.
QByteArrayView between(QByteArrayView text, QByteArrayView left, QByteArrayView right) {
    const qsizetype at = text.indexOf(left);
    if (at < 0) return {};
    const qsizetype from = at + left.size();
    const qsizetype end = text.indexOf(right, from);
    return end < 0 ? QByteArrayView() : text.sliced(from, end - from);
}

// The board's fields of a line: "interface gpon 0/2" names slot 2 ("2"); a frame other than 0 is
// a field of its own in front ("interface gpon 1/2": "1 2"), so the port, ONT id and key follow
// in the same places as on frame 0.
QByteArray slotLabel(QByteArrayView afterKeyword) {
    QByteArrayView board = afterKeyword.trimmed();
    if (board.startsWith("0/")) board = board.sliced(2);
    QByteArray label = board.toByteArray();
    label.replace('/', ' ');
    return label;
}

// The part of a registration line before its description: the description is the operator's text
// and may hold any of the words we look for.
QByteArrayView beforeDescription(QByteArrayView line) {
    const qsizetype desc = line.indexOf(" desc \"");
    return desc < 0 ? line : line.first(desc);
}

QByteArray extract(QByteArrayView config, const PonSyntax &pon) {
    const QByteArrayView section = between(config, pon.section, "[bbs-config]");
    const QByteArray authWord = " " + pon.auth.toByteArray();
    QByteArray out;
    QByteArray slot;
    for (qsizetype pos = 0; pos < section.size();) {
        qsizetype end = section.indexOf('\n', pos);
        if (end < 0) end = section.size();
        QByteArrayView line = section.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r')) line.chop(1); // a backup that lost its CRs still reads line by line
        const QByteArrayView trimmed = line.trimmed();
        if (trimmed.startsWith(pon.interface)) {
            slot = slotLabel(trimmed.sliced(pon.interface.size()));
            continue;
        }
        const QByteArrayView head = beforeDescription(line);
        if (!head.contains(pon.auth)) continue;
        QByteArray key = between(head, "ont add", pon.protocol).toByteArray();
        key.replace(authWord, QByteArray());
        out += slot + key + ' ' + between(line, "desc \"", "\"").toByteArray() + "\r\n";
    }
    return out;
}

int lineCount(const QByteArray &lines) {
    return int(lines.count("\r\n"));
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString &why) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    why =
        QStringLiteral("无法写入 ") + QFileInfo(path).fileName() + QStringLiteral("：") + file.errorString();
    return false;
}

} // namespace

QByteArray extractGponOnts(QByteArrayView config) {
    return extract(config, Gpon);
}

QByteArray extractEponOnts(QByteArrayView config) {
    return extract(config, Epon);
}

OntExtraction extractOntData(const QString &runDir) {
    OntExtraction result;
    const QString path = runDir + QLatin1Char('/') + BackupConfigFile;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = OntExtraction::NoBackup;
        return result;
    }
    QFile file(path);
    const auto unreadable = [&](const QString &why) {
        result.status = OntExtraction::Unreadable;
        result.problem =
            QStringLiteral("无法读取OLT备份文件 ") + BackupConfigFile + QStringLiteral("：") + why;
        return result;
    };
    if (!info.isFile()) return unreadable(QStringLiteral("不是普通文件"));
    if (info.size() > MaxBackupBytes) return unreadable(QStringLiteral("文件过大，不是OLT配置文件"));
    if (!file.open(QIODevice::ReadOnly)) return unreadable(file.errorString());
    const QByteArray config = file.readAll();
    if (file.error() != QFileDevice::NoError) return unreadable(file.errorString());
    result.backupModified = info.lastModified();

    const QByteArray gpon = extractGponOnts(config);
    const QByteArray epon = extractEponOnts(config);
    if (!writeWhole(runDir + QLatin1Char('/') + GponListFile, gpon, result.problem) ||
        !writeWhole(runDir + QLatin1Char('/') + EponListFile, epon, result.problem)) {
        result.status = OntExtraction::Unwritable;
        return result;
    }
    result.gponOnts = lineCount(gpon);
    result.eponOnts = lineCount(epon);
    return result;
}

bool extractAllOntData(PageContext &c, const QString &runDir) {
    const OntExtraction done = extractOntData(runDir);
    switch (done.status) {
    case OntExtraction::NoBackup:
        c.op.notice(QStringLiteral("未检测到OLT备份文件，请备份后重新提取！"), DefaultBoxTitle,
                    BoxIcon::Error);
        return false;
    case OntExtraction::Unreadable:
    case OntExtraction::Unwritable:
        c.op.notice(done.problem, DefaultBoxTitle, BoxIcon::Error);
        return false;
    case OntExtraction::Done:
        break;
    }
    c.op.notice(
        QStringLiteral(
            "数据提取成功，请核对程序根目录下记事本文件！\r\n\r\nGPON：%1 个ONT，EPON：%2 个ONT\r\n"
            "备份文件 %3 的修改时间：%4")
            .arg(done.gponOnts)
            .arg(done.eponOnts)
            .arg(BackupConfigFile, done.backupModified.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))),
        DefaultBoxTitle, BoxIcon::Information);
    c.log.write(QStringLiteral("   提取OLT配置文件ONT数据成功"));
    return true;
}

QString runDirectoryOf(const PageContext &c) {
    return QFileInfo(c.settings.filePath()).absolutePath();
}

} // namespace tw
