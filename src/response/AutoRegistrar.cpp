#include "response/AutoRegistrar.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/ScriptOutcome.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "response/AddReply.h"
#include "response/AutoMove.h"
#include "response/AutoRegistration.h"

#include <algorithm>
#include <memory>

namespace tw {

namespace {

QString keyOf(const WaitingOnt &ont) {
    return ont.key.toUpper();
}

// The ONT id the OLT gave: "ONT号 :2" or "ONTID :2".
QString ontIdIn(const QString &text) {
    for (const char16_t *label : {u"ONT号 :", u"ONTID :"}) {
        const qsizetype at = text.indexOf(QStringView(label));
        if (at < 0) continue;
        QString id;
        for (qsizetype i = at + QStringView(label).size(); i < text.size() && text[i].isDigit(); ++i)
            id += text[i];
        if (!id.isEmpty()) return id;
    }
    return {};
}

bool alreadyRegistered(const QString &failure) {
    return failure.contains(u"序列码已经存在") || failure.contains(u"MAC地址已存在") ||
           failure.contains(u"SN already exists", Qt::CaseInsensitive) ||
           failure.contains(u"MAC address already exists", Qt::CaseInsensitive);
}

// The OLT's reason for a failed "ont delete" of a move: what made it fail rather than the
// delete's own complaint (a service port a multicast user still holds), when a line says so.
QString moveFailureReason(const ScriptOutcome &outcome) {
    QString deleteFailure;
    for (const LineAnswer &l : outcome.lines) {
        if (l.command.startsWith(u"ont delete")) {
            if (l.failed()) deleteFailure = l.failure;
            continue;
        }
        if (l.failed() && !l.failure.contains(u"不存在") && !l.failure.contains(u"does not exist"))
            return l.failure;
    }
    return deleteFailure;
}

bool deleteSucceeded(const ScriptOutcome &outcome) {
    bool ran = false;
    for (const LineAnswer &l : outcome.lines) {
        if (!l.command.startsWith(u"ont delete")) continue;
        ran = true;
        if (l.failed()) return false;
    }
    return ran && outcome.status != ScriptOutcome::Interrupted && outcome.status != ScriptOutcome::TimedOut;
}

} // namespace

int AutoRegistrar::backoffTicks(int failures) {
    return std::min(1 << std::min(failures - 1, 4), 16);
}

void AutoRegistrar::tell(const QString &message) const {
    if (report) report(message);
}

bool AutoRegistrar::owns(const QString &key) const {
    return active_.contains(key.toUpper());
}

void AutoRegistrar::discovered(const QString &text) {
    ++tick_;
    for (const WaitingOnt &ont : waitingOnts(text)) {
        const QString key = keyOf(ont);
        if (active_.contains(key)) continue;
        const auto aside = setAside_.constFind(key);
        if (aside != setAside_.cend() && tick_ < aside->untilTick) continue;
        add(ont);
    }
}

void AutoRegistrar::add(const WaitingOnt &ont) {
    const QString script = autoAddScript(ont, settings_, log_);
    active_.insert(keyOf(ont));
    if (!sink_.run(script, [this, ont](const ScriptOutcome &o) { added(ont, o); }, RunOptions{true, true})) {
        active_.remove(keyOf(ont)); // not connected: the next tick finds it again
    }
}

void AutoRegistrar::added(const WaitingOnt &ont, const ScriptOutcome &outcome) {
    if (outcome.status == ScriptOutcome::Interrupted || outcome.status == ScriptOutcome::TimedOut) {
        interrupted(ont, true);
        return;
    }
    const QString text = outcome.allText();
    const LineAnswer *failure = outcome.firstFailure();
    const QString id = ontIdIn(text);
    if (!failure && !id.isEmpty()) {
        log_.write(autoAddLogLine(ont, settings_));
        if (settings_.isOn(settings::AutoServiceFlows))
            giveFlows(ont, ont.port, id, false);
        else
            finished(ont);
        return;
    }
    if (failure && alreadyRegistered(failure->failure) && settings_.isOn(settings::AutoMove)) {
        locate(ont);
        return;
    }
    failed(ont, QStringLiteral("自动注册失败：") + ont.port + u' ' + ont.key + QStringLiteral("：") +
                    (failure ? failure->failure : outcome.summary().isEmpty() ? QStringLiteral("OLT没有给出ONT号")
                                                                               : outcome.summary()));
}

void AutoRegistrar::giveFlows(const WaitingOnt &ont, const QString &port, const QString &ontId, bool recovered) {
    FlowTarget target;
    target.gpon = ont.gpon;
    target.board = port.left(port.lastIndexOf(u'/'));
    target.ponPort = port.mid(port.lastIndexOf(u'/') + 1);
    target.ontId = ontId;
    target.key = ont.key;
    QString logLine;
    const QString script = finishFlowScript(serviceFlowPart(target, settings_, nullptr, logLine), settings_);
    const bool sent = sink_.run(
        script,
        [this, ont, logLine, recovered, port, ontId](const ScriptOutcome &o) {
            if (o.status == ScriptOutcome::Interrupted || o.status == ScriptOutcome::TimedOut) {
                interrupted(ont, true);
                return;
            }
            const QString prefix = recovered ? QStringLiteral("   断线后补建业务流：") + logLine.trimmed() : logLine;
            if (o.ok()) {
                log_.write(prefix);
                if (recovered) tell(QStringLiteral("已为断线前注册的ONT补建业务流：") + ont.key);
                finished(ont);
            } else {
                failed(ont, QStringLiteral("自动注册ONT业务流失败：") + port + QStringLiteral(" ONT号：") + ontId +
                                QStringLiteral(" ") + ont.key + QStringLiteral("：") + o.summary());
            }
        },
        RunOptions{false, true});
    if (!sent) interrupted(ont, true);
}

void AutoRegistrar::locate(const WaitingOnt &ont) {
    const bool sent = sink_.run(locationQuery(ont.key, ont.gpon), [this, ont](const ScriptOutcome &o) {
        if (o.status == ScriptOutcome::Interrupted || o.status == ScriptOutcome::TimedOut) {
            interrupted(ont, false);
            return;
        }
        const std::optional<OntLocation> at = locationFrom(o.allText(), ont.gpon);
        if (!at) {
            failed(ont, QStringLiteral("自动移机失败：找不到 ") + ont.key + QStringLiteral(" 的注册位置") +
                            (o.ok() ? QString() : QStringLiteral("：") + o.summary()));
            return;
        }
        if (at->port == ont.port) {
            // Registered here already (the autofind list was older than the registration).
            finished(ont);
            return;
        }
        removeOld(ont, *at);
    });
    if (!sent) interrupted(ont, false);
}

void AutoRegistrar::removeOld(const WaitingOnt &ont, const OntLocation &at) {
    if (!settings_.isOn(settings::Iptv)) {
        deleteOld(ont, at);
        return;
    }
    // The multicast users hold the IPTV service port: they go first, on the listing's own answer.
    const bool sent =
        sink_.run(servicePortListing(at) + QStringLiteral("\r\n\r\n"), [this, ont, at](const ScriptOutcome &o) {
            if (o.status == ScriptOutcome::Interrupted || o.status == ScriptOutcome::TimedOut) {
                interrupted(ont, false);
                return;
            }
            const QStringList users = multicastUserDeletions(o.allText(), settings_);
            if (users.isEmpty()) {
                deleteOld(ont, at);
                return;
            }
            // One script each, then the deletion once the last has been answered.
            auto left = std::make_shared<int>(int(users.size()));
            for (const QString &script : users) {
                const bool ok = sink_.run(script, [this, ont, at, left](const ScriptOutcome &u) {
                    if (u.status == ScriptOutcome::Interrupted || u.status == ScriptOutcome::TimedOut) {
                        if (*left > 0) interrupted(ont, false);
                        *left = -1;
                        return;
                    }
                    if (--*left == 0) {
                        log_.write(QStringLiteral("  IPTV组播移机删除成功，已删除 ") + at.port + QStringLiteral(" ONT号：") +
                                   at.id + QStringLiteral(" 的ONT设备"));
                        deleteOld(ont, at);
                    }
                });
                if (!ok) {
                    interrupted(ont, false);
                    return;
                }
            }
        });
    if (!sent) interrupted(ont, false);
}

void AutoRegistrar::deleteOld(const WaitingOnt &ont, const OntLocation &at) {
    const bool sent = sink_.run(
        moveDeletionScript(at, ont.gpon, settings_),
        [this, ont, at](const ScriptOutcome &o) {
            if (deleteSucceeded(o)) {
                log_.write(moveLogLine(at, ont.gpon));
                // Registered where it is now on the next tick.
                setAside_.remove(keyOf(ont));
                active_.remove(keyOf(ont));
                return;
            }
            if (o.status == ScriptOutcome::Interrupted || o.status == ScriptOutcome::TimedOut) {
                interrupted(ont, false);
                return;
            }
            failed(ont, (ont.gpon ? QStringLiteral("GPON移机删除失败：旧ONT ") : QStringLiteral("EPON移机删除失败：旧ONT ")) +
                            at.port + u' ' + at.id + QStringLiteral(" 未删除：") + moveFailureReason(o));
        },
        RunOptions{false, true});
    if (!sent) interrupted(ont, false);
}

void AutoRegistrar::interrupted(const WaitingOnt &ont, bool mayBeRegistered) {
    if (!mayBeRegistered) {
        // A move cut off is taken up again by the next tick, which finds the ONT where it is.
        active_.remove(keyOf(ont));
        tell(QStringLiteral("自动移机已中断：") + ont.key + QStringLiteral("，下次周期重试"));
        return;
    }
    if (std::none_of(recover_.begin(), recover_.end(), [&](const WaitingOnt &o) { return keyOf(o) == keyOf(ont); }))
        recover_.append(ont);
    tell(QStringLiteral("自动注册已中断：") + ont.port + u' ' + ont.key + QStringLiteral("，重新连接后补完"));
}

void AutoRegistrar::resume() {
    const QList<WaitingOnt> pending = std::exchange(recover_, {});
    for (const WaitingOnt &ont : pending)
        recover(ont);
}

void AutoRegistrar::recover(const WaitingOnt &ont) {
    const bool sent = sink_.run(locationQuery(ont.key, ont.gpon), [this, ont](const ScriptOutcome &o) {
        if (o.status == ScriptOutcome::Interrupted || o.status == ScriptOutcome::TimedOut) {
            interrupted(ont, true);
            return;
        }
        const std::optional<OntLocation> at = locationFrom(o.allText(), ont.gpon);
        if (!at) {
            // Never registered: the autofind list still shows it, and the next tick registers it.
            active_.remove(keyOf(ont));
            return;
        }
        if (!settings_.isOn(settings::AutoServiceFlows)) {
            finished(ont);
            return;
        }
        const OntLocation where = *at;
        const bool listed =
            sink_.run(servicePortListing(where) + QStringLiteral("\r\n\r\n"), [this, ont, where](const ScriptOutcome &l) {
                if (l.status == ScriptOutcome::Interrupted || l.status == ScriptOutcome::TimedOut) {
                    interrupted(ont, true);
                    return;
                }
                if (listsServicePorts(l.allText()))
                    finished(ont);
                else
                    giveFlows(ont, where.port, where.id, true);
            });
        if (!listed) interrupted(ont, true);
    });
    if (!sent) recover_.append(ont);
}

void AutoRegistrar::failed(const WaitingOnt &ont, const QString &what) {
    const QString key = keyOf(ont);
    active_.remove(key);
    SetAside &aside = setAside_[key];
    ++aside.failures;
    const int ticks = backoffTicks(aside.failures);
    aside.untilTick = tick_ + ticks + 1;
    const QString message = what + QStringLiteral("（暂停 ") + QString::number(ticks) + QStringLiteral(" 个周期后重试）");
    log_.write(QStringLiteral("   ") + message);
    tell(message);
}

void AutoRegistrar::finished(const WaitingOnt &ont) {
    active_.remove(keyOf(ont));
    setAside_.remove(keyOf(ont));
}

} // namespace tw
