#include "shell/commandline.h"

#include "application.h"
#include "texts.h"

#include <QCommandLineParser>
#include <algorithm>
#include <iterator>

namespace {
// As the request is written on the channel.
const char *const requestWords[] = {"plain", "search", "popup"};
} // namespace

std::variant<CommandLineVerdict, StartRequest> readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption search(QStringLiteral("search"), QString());
    const QCommandLineOption popup(QStringLiteral("popup"), QString());
    parser.addOptions({help, version, search, popup});
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
    if (parser.isSet(search) && parser.isSet(popup))
        return CommandLineVerdict{2, texts::commandLineError(texts::conflictingOptions)};
    if (parser.isSet(search))
        return StartRequest::Search;
    if (parser.isSet(popup))
        return StartRequest::Popup;
    return StartRequest::Plain;
}

QByteArray encodeStartRequest(StartRequest request, const QByteArray &activationToken)
{
    return requestWords[int(request)] + QByteArrayLiteral("\n") + activationToken;
}

std::pair<StartRequest, QByteArray> decodeStartRequest(const QByteArray &message)
{
    const qsizetype end = message.indexOf('\n');
    const QByteArray word = message.left(end);
    QByteArray token = end < 0 ? QByteArray() : message.mid(end + 1).trimmed();
    // A token is printable ASCII; anything else is not one.
    if (!std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; }))
        token.clear();
    for (int i = 0; i < int(std::size(requestWords)); ++i) {
        if (word == requestWords[i])
            return {StartRequest(i), token};
    }
    return {StartRequest::Plain, token};
}
