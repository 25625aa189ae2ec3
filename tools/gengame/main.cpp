// kurvo-gengame OUTDIR --races N --turns T [--seed S] [--name G]
//
// Writes an invented game folder of the given size into OUTDIR.
#include "GameGenerator.h"

#include <KurvoBuildVersion.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace
{
int fail(const QString& message)
{
    std::fprintf(stderr, "kurvo-gengame: %s\n", qPrintable(message));
    return 2;
}

bool readNumber(const QCommandLineParser& parser, const QString& option, qulonglong& value)
{
    bool ok = false;
    value = parser.value(option).toULongLong(&ok);
    return ok;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(KURVO_VERSION_TEXT));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes an invented game (races.csv and turns.csv) into OUTDIR/<name>."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("games folder"));
    parser.addOption(
        {QStringLiteral("races"), QStringLiteral("number of races"), QStringLiteral("N")});
    parser.addOption(
        {QStringLiteral("turns"), QStringLiteral("number of turns"), QStringLiteral("T")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("random seed (default 1)"),
                      QStringLiteral("S"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("name"), QStringLiteral("game name (default: invented)"),
                      QStringLiteral("G")});
    parser.process(app);

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return fail(QStringLiteral("give exactly one OUTDIR (see --help)"));
    qulonglong races = 0;
    qulonglong turns = 0;
    qulonglong seed = 0;
    if (!readNumber(parser, QStringLiteral("races"), races) ||
        races > qulonglong(GameGenerator::kMaxRaces) ||
        !readNumber(parser, QStringLiteral("turns"), turns) ||
        turns > qulonglong(GameGenerator::kMaxTurns))
        return fail(QStringLiteral("--races and --turns must be whole numbers (see --help)"));
    if (!readNumber(parser, QStringLiteral("seed"), seed))
        return fail(QStringLiteral("--seed must be a whole number"));

    GameShape shape;
    shape.name = parser.value(QStringLiteral("name"));
    shape.races = int(races);
    shape.turns = int(turns);
    shape.seed = seed;
    GameGenerator generator(shape);
    QString error;
    const std::optional<QString> folder = generator.write(positional.first(), error);
    if (!folder) {
        // A usage error was caught above; this is the files not being written.
        std::fprintf(stderr, "kurvo-gengame: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(*folder));
    return 0;
}
