// devsim: a dive computer on a pseudo-terminal.
//
//   devsim [--pace] [--idle SECONDS] [--fault KIND:KEY=VALUE]... [--dump FILE] [--stdin-eof] FIXTURE.json
//
// The first line of its output is the pseudo-terminal's path; point KVL at it
// with KVL_PORT. It serves until SIGTERM or SIGINT (or, with --stdin-eof, until
// its standard input closes), then writes its memory to the dump file.

#include "tools/devsim/PtyServer.h"
#include "tools/devsim/sim/Fixture.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("devsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated dive computer on a pseudo-terminal."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("fixture"), QStringLiteral("The device's contents (JSON)."));
    const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Pace both directions at 960 bytes/s."));
    const QCommandLineOption idle(QStringLiteral("idle"), QStringLiteral("Seconds without a frame until the device sleeps."),
                                  QStringLiteral("seconds"), QStringLiteral("60"));
    const QCommandLineOption fault(QStringLiteral("fault"), QStringLiteral("A fault to inject (repeatable), e.g. noreply:page=70,count=3."),
                                   QStringLiteral("kind:key=value"));
    const QCommandLineOption dump(QStringLiteral("dump"), QStringLiteral("Write the memory (65536 bytes) here on exit."),
                                  QStringLiteral("file"));
    const QCommandLineOption stdinEof(QStringLiteral("stdin-eof"), QStringLiteral("End when standard input closes."));
    parser.addOptions({pace, idle, fault, dump, stdinEof});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    devsim::Device device;
    QString error;
    if (!devsim::LoadFixture(parser.positionalArguments().first(), device, nullptr, &error)) {
        std::fprintf(stderr, "devsim: %s\n", qPrintable(error));
        return 2;
    }
    device.idleSeconds = parser.value(idle).toDouble();
    for (const QString& text : parser.values(fault)) {
        devsim::Fault f;
        if (!devsim::ParseFault(text, f, &error)) {
            std::fprintf(stderr, "devsim: %s\n", qPrintable(error));
            return 2;
        }
        device.AddFault(f);
    }

    devsim::InstallStopHandlers();
    devsim::PtyServer server(device, parser.isSet(pace));
    if (!server.Start(&error)) {
        std::fprintf(stderr, "devsim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.SlavePath()));
    std::fflush(stdout);
    server.Serve(parser.isSet(stdinEof));

    if (parser.isSet(dump)) {
        QFile out(parser.value(dump));
        if (!out.open(QIODevice::WriteOnly) || out.write(device.Dump()) != device.Dump().size()) {
            std::fprintf(stderr, "devsim: cannot write %s\n", qPrintable(parser.value(dump)));
            return 1;
        }
    }
    return 0;
}
