#pragma once
// Registering a series of ONTs by LOID or password in one script, their codes built from a naming
// rule and a running number; and confirming every ONT a port has found ("ONT 刷机").

#include "common/PageContext.h"

#include <QString>

#include <optional>

namespace tw {

class Operator;

// The batch group of "ONT 注册" with the tab's top row.
struct BatchFields {
    QString frame, slot, port, serviceVlan;
    QString mode; // "注册方式：" as shown: "LOID" or "密码"
    QString start, count, rule;
    bool padding = false; // "编号补偿(自动补0)"
};

// A PON port takes no more ONTs than this, so no batch is longer.
inline constexpr int MaxBatchCount = 128;

// The running numbers of a batch: start, start+1, … start+count−1.
struct BatchNumbering {
    qint64 start = 0;
    int count = 0;
    bool padding = false;
};

// "起始编号：" and "生成数量：" as numbers; nullopt after a notice when the start is not a whole
// number or the count is not one from 1 to MaxBatchCount.
std::optional<BatchNumbering> batchNumbering(Operator &op, const BatchFields &f);

// Code k (1 for the first) of the rule: every "(B)" replaced by the board, "(P)" by the port and
// "(O)" by the number start+k−1. With padding the number has leading zeros up to the width of the
// batch's largest number, so that the codes of one batch sort in order; it is never cut.
QString batchCode(const QString &rule, const QString &board, const QString &port, const BatchNumbering &n,
                  int k);

// "预览": the first five codes, whatever the count, one "注册码：" line each, in one notice.
// False when the fields were refused.
bool previewBatch(PageContext &c, const BatchFields &f);

// "注册" of the batch group: asks the kind and then for the whole batch; sends it in one write,
// then logs each ONT and stores the presets. True when the script was sent.
bool registerBatch(PageContext &c, const BatchFields &f);

// The row of "ONT 刷机": "机框：", "业务板：", "端口：", "线路模板：", "业务模板：".
struct ConfirmAllFields {
    QString frame, slot, port, lineProfile, serviceProfile;
};

// "批量注册" on "ONT 刷机": confirms every ONT the port has found, with the given profiles.
// True when the script was sent.
bool confirmAllOnPort(PageContext &c, const ConfirmAllFields &f);

} // namespace tw
