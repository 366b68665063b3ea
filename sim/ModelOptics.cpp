// The ONTs' optical levels: drawn for a scenario, set through the control channel.
#include "Model.h"

#include <cmath>

namespace tw::sim {

namespace {

// A small generator of our own: the standard distributions differ between libraries, and the
// levels must be the same wherever the simulator runs.
class Draw {
  public:
    explicit Draw(quint64 state) : state_(state) {}

    double uniform(double low, double high) { return low + (high - low) * double(next() >> 11) * 0x1p-53; }
    int between(int low, int high) { return low + int(next() % quint64(high - low + 1)); }
    // Bell-shaped around the middle of [low, high]: the mean of three uniform draws.
    double bell(double low, double high) {
        return (uniform(low, high) + uniform(low, high) + uniform(low, high)) / 3;
    }

  private:
    quint64 next() { // splitmix64
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    quint64 state_;
};

quint64 keyHash(const QString &key) { // FNV-1a over the UTF-16 units
    quint64 h = 0xCBF29CE484222325ull;
    for (QChar c : key) {
        h ^= c.unicode();
        h *= 0x100000001B3ull;
    }
    return h;
}

double hundredths(double v) {
    return std::round(v * 100) / 100;
}

} // namespace

void drawOptics(Ont &o, quint32 seed) {
    Draw draw(keyHash(o.key()) ^ (quint64(seed) << 32 | seed));
    // One ONT in twenty sits on weak fibre, close to the class B+ sensitivity of -28 dBm.
    const bool weak = draw.between(0, 19) == 0;
    o.rxPower = hundredths(weak ? draw.uniform(-28.8, -25.5) : draw.bell(-25.5, -15.0));
    o.txPower = hundredths(draw.uniform(0.5, 4.0));
    // Upstream (1310 nm) loses a little more than downstream: -15 dBm at the ONT reads about -18 at
    // the OLT, -26 about -28.
    o.oltRxPower = hundredths(-18.0 + (o.rxPower + 15.0) * 10.0 / 11.0 + draw.uniform(-0.4, 0.4));
    o.temperature = draw.between(30, 60);
    o.voltage = draw.between(320, 340) / 100.0;
    o.biasCurrent = draw.between(5, 20);
}

QString setOntOptics(Device &d, const QString &key, std::optional<double> rx, std::optional<double> tx) {
    Ont *o = d.ontByKey(key);
    if (!o) return "ONT " + key + " is not registered";
    if (rx && !(*rx >= -50 && *rx <= 10)) return "receive level out of range (-50 to 10 dBm)";
    if (tx && !(*tx >= -10 && *tx <= 10)) return "transmit level out of range (-10 to 10 dBm)";
    if (rx) {
        o->oltRxPower = hundredths(o->oltRxPower + *rx - o->rxPower);
        o->rxPower = hundredths(*rx);
    }
    if (tx) {
        o->oltRxPower = hundredths(o->oltRxPower + *tx - o->txPower);
        o->txPower = hundredths(*tx);
    }
    return {};
}

} // namespace tw::sim
