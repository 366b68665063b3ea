// tarnwick-replay: diagnoses a capture of what an OLT sent by running it through the console's
// receive path. See --help.
#include "ReplaySession.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    QString out, err;
    const int status = tw::replay::runCommandLine(args, out, err);
    const QByteArray outBytes = out.toUtf8();
    const QByteArray errBytes = err.toUtf8();
    std::fwrite(outBytes.constData(), 1, size_t(outBytes.size()), stdout);
    std::fflush(stdout);
    std::fwrite(errBytes.constData(), 1, size_t(errBytes.size()), stderr);
    return status;
}
