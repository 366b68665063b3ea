// The unattended loop over a long run against a misbehaving OLT: ONTs plugged in waves, some moved
// before and some after their registration, while the simulator cuts its output into odd pieces,
// puts alarm notices inside outputs, drops the connection and times idle sessions out.

#include "ConsoleHarness.h"

#include <QElapsedTimer>

#include <iostream>
#include <map>

using namespace tw;
using namespace tw::e2e;

namespace {

sim::Device emptyDevice() {
    sim::Device d = demoDevice();
    d.onts.clear();
    d.autofind.clear();
    d.servicePorts.clear();
    d.multicastUsers.clear();
    d.idleSeconds = 2; // short enough that a pause of a few seconds times the session out
    return d;
}

// Waits until no chunk has arrived for a while: the chain of replies and scripts a tick starts
// has then run out (or the connection is down). Counts chunks and new sessions on the way.
struct Quiet {
    QElapsedTimer sinceChunk;
    int chunks = 0, sessions = 0;
    explicit Quiet(MainWindow &w) {
        sinceChunk.start();
        QObject::connect(&w.connection, &OltConnection::chunkReceived, &w.connection, [this] {
            sinceChunk.restart();
            ++chunks;
        });
        QObject::connect(&w.connection, &OltConnection::connectedChanged, &w.connection,
                         [this](bool up) { sessions += up ? 1 : 0; });
    }
    void wait(int stillMs = 250) {
        QTest::qWait(50);
        (void)QTest::qWaitFor([&] { return sinceChunk.elapsed() >= stillMs; }, WaitMs);
    }
};

struct Plug {
    QString key, port;
    bool gpon;
};

// ONT k of 100: GPON on slots 1 and 2, EPON on slot 3.
Plug plugFor(int k) {
    if (k % 5 == 4)
        return {QStringLiteral("00E0-FD%1-%2")
                    .arg(k, 2, 16, QLatin1Char('0'))
                    .arg(k * 7, 4, 16, QLatin1Char('0'))
                    .toUpper(),
                QStringLiteral("0/3/%1").arg(k % 4), false};
    return {QStringLiteral("48575443A0%1").arg(k, 6, 16, QLatin1Char('0')).toUpper(),
            QStringLiteral("0/%1/%2").arg(1 + k % 2).arg(k % 8), true};
}

// Another port of the same kind.
QString otherPort(const Plug &p, const QString &now, int salt) {
    for (int i = 1; i < 8; ++i) {
        const QString port = p.gpon ? QStringLiteral("0/%1/%2").arg(1 + (salt + i) % 2).arg((salt + i) % 8)
                                    : QStringLiteral("0/3/%1").arg((salt + i) % 4);
        if (port != now) return port;
    }
    return now;
}

} // namespace

TEST(AutoRegistrationSoak, HundredPluggedTwentyMovedWithFaultsEndRegisteredOnceAtTheLatestPort) {
    ConsoleHarness h(
        emptyDevice(),
        QStringLiteral("自动注册=真\n自动建流=真\n自动移机=真\n自动重连=真\n[基本]\n业务外层=200\n"
                       "业务内层=41\nGPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont "
                       "编号 gemport 1 multi-service user-vlan 业务内层 tag-transform translate\n"
                       "EPON业务流=service-port vlan 业务外层 epon 0/槽号/端口号 ont 编号 "
                       "multi-service user-vlan 业务内层 tag-transform translate\n"));
    ASSERT_TRUE(h.startAndLogIn());
    Quiet quiet(*h.window);
    sim::Device &dev = h.sim.device;

    std::map<QString, QString> latest; // key -> the port it is plugged into now
    std::vector<Plug> plugs;
    auto plug = [&](const Plug &p) {
        ASSERT_EQ(h.sim.command(QStringLiteral("plug %1 %2 %3").arg(p.port, p.gpon ? "sn" : "mac", p.key)),
                  "ok");
        latest[p.key] = p.port;
    };
    auto registeredAt = [&](const QString &key) {
        QStringList at;
        for (const sim::Ont &o : dev.onts)
            if (o.sn == key || o.mac == key) at << o.at.text();
        return at;
    };

    int moved = 0, ticks = 0, drops = 0, idles = 0;
    auto done = [&] {
        if (latest.size() < 100 || moved < 20 || !dev.autofind.empty()) return false;
        for (const auto &[key, port] : latest)
            if (registeredAt(key) != QStringList{port}) return false;
        return true;
    };

    constexpr int MaxTicks = 400;
    for (; ticks < MaxTicks && !done(); ++ticks) {
        // Waves of plugs.
        if (ticks == 0 || ticks == 25 || ticks == 50)
            for (int k = ticks / 25 * 34; k < std::min(100, (ticks / 25 + 1) * 34); ++k) {
                plugs.push_back(plugFor(k));
                plug(plugs.back());
            }
        // Moves: every third tick from tick 6, alternately an ONT already registered (its old
        // registration has to go) and one still waiting in autofind (re-plugged elsewhere).
        if (moved < 20 && ticks >= 6 && ticks % 3 == 0) {
            const bool registered = moved % 2 == 0;
            for (int i = 0; i < int(plugs.size()); ++i) {
                const Plug &p = plugs[(moved * 37 + i) % plugs.size()];
                const QStringList at = registeredAt(p.key);
                if (registered != (at == QStringList{latest[p.key]})) continue;
                const QString to = otherPort(p, latest[p.key], moved);
                if (registered) {
                    ASSERT_EQ(h.sim.command(QStringLiteral("move %1 %2").arg(p.key, to)), "ok");
                    latest[p.key] = to;
                } else {
                    ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + p.key), "ok");
                    plug({p.key, to, p.gpon});
                }
                ++moved;
                break;
            }
        }
        // Faults: output cut into odd pieces that change now and then, an alarm in every
        // seventh output, three dropped connections and three idle time-outs.
        // A pause after each piece keeps the pieces apart on the way; without one they may merge.
        const char *chunk[] = {"251 1", "1021 1", "7", "509 1"};
        ASSERT_EQ(h.sim.command(QStringLiteral("fault chunk ") + chunk[ticks / 20 % 4]), "ok");
        if (ticks % 7 == 3) {
            ASSERT_EQ(h.sim.command(QStringLiteral("fault alarm")), "ok");
        }
        if (ticks == 12 || ticks == 41 || ticks == 77) {
            ASSERT_EQ(h.sim.command(QStringLiteral("fault drop-after %1").arg(300 + ticks * 40)), "ok");
            ++drops;
        }
        if (ticks == 20 || ticks == 60 || ticks == 95) {
            QTest::qWait(3000); // the session times out; 自动重连 dials again and logs in
            quiet.wait();
            ++idles;
        }

        h.window->autoRegisterTick();
        quiet.wait();
    }
    int withoutServicePort = 0;
    for (const sim::Ont &o : dev.onts)
        withoutServicePort +=
            std::none_of(dev.servicePorts.begin(), dev.servicePorts.end(),
                         [&](const sim::ServicePort &sp) { return sp.at == o.at && sp.ont == o.id; });
    std::cout << "[ soak     ] " << ticks << " ticks for 100 ONTs and " << moved << " moves; " << quiet.chunks
              << " chunks, " << quiet.sessions << " new sessions (" << drops << " dropped connections, "
              << idles << " idle time-outs); " << withoutServicePort << " ONTs without a service port\n";
    RecordProperty("ticks", ticks);
    EXPECT_GE(quiet.sessions, drops + idles)
        << "every dropped and timed-out session was followed by a new one";

    EXPECT_TRUE(done()) << "after " << ticks << " ticks; autofind holds " << dev.autofind.size();
    for (const auto &[key, port] : latest)
        EXPECT_EQ(registeredAt(key), QStringList{port}) << key.toStdString();
    for (const sim::ServicePort &sp : dev.servicePorts)
        EXPECT_NE(dev.ont(sp.at, sp.ont), nullptr)
            << "service port " << sp.index << " left on " << sp.at.text().toStdString();
    EXPECT_TRUE(h.op.boxes.isEmpty()) << h.op.boxes.value(0).text.toStdString();
}
