#pragma once
// The ONTs' optical levels as "display ont optical-info <p> all" lists them in a GPON or EPON
// interface mode, in English or Chinese CLI mode, and how an ONT's receive level is judged.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tw {

// One ONT's row. A level the OLT did not give ("-", a blank, text that is no number) has no value,
// never 0. The port is -1 where neither the output nor the caller names it.
struct OpticalRow {
    int frame = -1;
    int slot = -1;
    int port = -1;
    int ontId = -1;
    std::optional<double> rxPower;     // dBm at the ONT
    std::optional<double> txPower;     // dBm from the ONT
    std::optional<double> oltRxPower;  // dBm at the OLT from this ONT
    std::optional<double> temperature; // °C
    std::optional<double> voltage;     // V
    std::optional<double> biasCurrent; // mA
    std::optional<int> distance;       // m, where the OLT lists it

    QString portText() const; // "0/1/3"; empty when the port is not known
    bool operator==(const OpticalRow &) const = default;
};

// Where the listing was taken, for what the output does not say itself: the interface the script
// entered (frame, slot) and the port it asked for. The output's own prompt and echo win.
struct OpticalOrigin {
    int frame = -1;
    int slot = -1;
    int port = -1;
};

// Every row of every table in `output` (the bytes as the OLT sent them: GBK, with the echo, the
// confirmation, paging prompts and terminal controls), in order. Tables of several ports in one
// output each take the port of the command echoed before them.
std::vector<OpticalRow> parseOpticalInfo(QByteArrayView output, const OpticalOrigin &origin = {});

// A row as cells (port, ID, Rx, Tx, OLT Rx, temperature, voltage, bias current, distance), "-" for
// no value.
QStringList opticalCells(const OpticalRow &row);

// Receive-level limits of GPON class B+ ONTs, in dBm.
struct OpticalThresholds {
    double tooLow = -27.0;  // below: 过低
    double low = -25.0;     // below (down to tooLow): 偏低
    double overload = -8.0; // above: 过载
};

enum class RxLevel { NoValue, Normal, Low, TooLow, Overload };
enum class Severity { None, Amber, Red };

RxLevel classifyRx(std::optional<double> rxPower, const OpticalThresholds &limits = {});
QString rxLevelText(RxLevel level); // 正常, 偏低, 过低, 过载; empty for no value
Severity severityOf(RxLevel level);

} // namespace tw
