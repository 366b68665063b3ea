#pragma once

#include <QString>

namespace tw {

// Whether the OLT answers: a TCP connect to its telnet port within the time limit. (An ICMP echo
// needs rights an operator's account does not have.)
bool probeReachable(const QString &host, int port, int timeoutMs = 1000);

} // namespace tw
