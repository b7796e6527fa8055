#include "shell/commandline.h"

#include "application.h"
#include "texts.h"

#include <QCommandLineParser>

std::optional<CommandLineVerdict> readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({help, version});
    // Qt reads these itself; session managers restart programs with -session.
    for (const char *name : {"platform", "display", "style", "session"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return CommandLineVerdict{
            2, texts::commandLineError(unknown.isEmpty() ? texts::missingOptionValue
                                                         : texts::unknownOption(unknown.first()))};
    }
    if (parser.isSet(help))
        return CommandLineVerdict{0, texts::commandLineHelp};
    if (parser.isSet(version))
        return CommandLineVerdict{0, QStringLiteral("%1 %2.%3.%4\n")
                                         .arg(QLatin1String(quorvel::ApplicationTitle))
                                         .arg(quorvel::VersionMajor)
                                         .arg(quorvel::VersionMinor)
                                         .arg(quorvel::VersionRevision)};
    if (!parser.positionalArguments().isEmpty())
        return CommandLineVerdict{2, texts::commandLineError(texts::unexpectedArgument(
                                         parser.positionalArguments().first()))};
    return std::nullopt;
}
