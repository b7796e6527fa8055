#include "platform/system/readingdictionary.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mecab.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace platform {

namespace {

// Debian's mecab-ipadic-utf8; where it is missing, whatever MeCab's own settings name.
const char *const installedDictionaries[] = {"/var/lib/mecab/dic/ipadic-utf8", ""};

// The dictionary's fields: part of speech … base form, reading, pronunciation.
constexpr int readingField = 7;
constexpr int pronunciationField = 8;

// A name longer than this is read only this far: it is still found by its other letters.
constexpr qsizetype longestText = 512;

// This program started again as the child that reads: a word no user types.
constexpr char childMode[] = "--read-japanese-as-child";
// Reading a few thousand names takes a second or two; a child that takes far longer is stuck.
constexpr std::chrono::seconds childTimeout{60};
// How long a stop asked for waits to be seen, at most (ms): a quit does not wait for the child.
constexpr qint64 stopLookInterval = 50;

bool isUtf8(const char *charset)
{
    const QByteArray name = QByteArray(charset).toLower().replace('-', "");
    return name == "utf8";
}

// In the child: MeCab loaded at run time, so that a system without it simply has no readings.
class Tagger
{
public:
    explicit Tagger(const char *dictionaryFolder)
    {
        if (!load())
            return;
        if (*dictionaryFolder) {
            open(dictionaryFolder);
            return;
        }
        for (const char *folder : installedDictionaries) {
            if ((!*folder || QFileInfo(QString::fromLatin1(folder)).isDir()) && open(folder))
                return;
        }
    }
    bool isOpen() const { return m_tagger; }

    QStringList readingsOf(const QString &text) const
    {
        // MeCab knows full-width katakana and Latin letters, not their half-width forms.
        const QByteArray utf8 =
            text.left(longestText).normalized(QString::NormalizationForm_KC).toUtf8();
        QString reading, pronunciation;
        bool anyRead = false;
        for (const mecab_node_t *node = m_parse(m_tagger, utf8.constData(), size_t(utf8.size()));
             node; node = node->next) {
            if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
                continue;
            const QString surface = QString::fromUtf8(node->surface, node->length);
            const QStringList fields = QString::fromUtf8(node->feature).split(u',');
            const auto field = [&](int at) {
                const QString value = fields.value(at);
                return node->stat == MECAB_NOR_NODE && !value.isEmpty() && value != u"*" ? value
                                                                                         : surface;
            };
            reading += field(readingField);
            pronunciation += field(pronunciationField);
            anyRead = anyRead || field(readingField) != surface;
        }
        if (!anyRead)
            return {};
        return reading == pronunciation ? QStringList{reading}
                                        : QStringList{reading, pronunciation};
    }

private:
    bool load()
    {
        m_library.setFileNameAndVersion(QStringLiteral("mecab"), 2);
        if (!m_library.load())
            return false;
        m_create = reinterpret_cast<decltype(m_create)>(m_library.resolve("mecab_new"));
        m_destroy = reinterpret_cast<decltype(m_destroy)>(m_library.resolve("mecab_destroy"));
        m_parse = reinterpret_cast<decltype(m_parse)>(m_library.resolve("mecab_sparse_tonode2"));
        m_dictionaryInfo = reinterpret_cast<decltype(m_dictionaryInfo)>(
            m_library.resolve("mecab_dictionary_info"));
        return m_create && m_destroy && m_parse && m_dictionaryInfo;
    }

    bool open(const char *folder)
    {
        // MeCab parses them as its own command line, after a program name.
        QByteArray program("mecab"), option("-d"), path(folder);
        char *arguments[] = {program.data(), option.data(), path.data(), nullptr};
        m_tagger = m_create(*folder ? 3 : 1, arguments);
        if (m_tagger && !isUtf8(m_dictionaryInfo(m_tagger)->charset)) {
            m_destroy(m_tagger);
            m_tagger = nullptr;
        }
        return m_tagger;
    }

    QLibrary m_library;
    decltype(&mecab_new) m_create = nullptr;
    decltype(&mecab_destroy) m_destroy = nullptr;
    decltype(&mecab_sparse_tonode2) m_parse = nullptr;
    decltype(&mecab_dictionary_info) m_dictionaryInfo = nullptr;
    mecab_t *m_tagger = nullptr;
};

bool sendAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        // MSG_NOSIGNAL: a child that has died is a failure to report, not a SIGPIPE.
        const ssize_t sent =
            ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        done += sent;
    }
    return true;
}

// Everything until the other end has finished, or nothing by the deadline or once a stop is
// asked for.
std::optional<QByteArray> receiveAll(int fd, QDeadlineTimer deadline, const std::stop_token &stop)
{
    QByteArray bytes;
    char buffer[16384];
    for (;;) {
        if (stop.stop_requested())
            return std::nullopt;
        pollfd ready{fd, POLLIN, 0};
        const int polled =
            ::poll(&ready, 1, int(qMin<qint64>(deadline.remainingTime(), stopLookInterval)));
        if (polled < 0 && errno != EINTR)
            return std::nullopt;
        if (polled <= 0) {
            if (deadline.hasExpired())
                return std::nullopt;
            continue;
        }
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(buffer, got);
    }
}

// The child's whole work: the texts, one a line, from standard input until it ends; then "1"
// (or "0" where there is no dictionary) and each text's readings, tab-separated, one a line.
[[noreturn]] void serveReadings(const char *dictionaryFolder)
{
    QByteArray input;
    char buffer[16384];
    for (ssize_t got; (got = ::read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR)
            ::_exit(1);
        if (got > 0)
            input.append(buffer, got);
    }
    const Tagger tagger(dictionaryFolder);
    QByteArray output(tagger.isOpen() ? "1\n" : "0\n");
    if (tagger.isOpen()) {
        input.chop(1); // the last line's end
        for (const QByteArray &text : input.split('\n'))
            output += tagger.readingsOf(QString::fromUtf8(text)).join(u'\t').toUtf8() + '\n';
    }
    ::_exit(sendAll(STDOUT_FILENO, output) ? 0 : 1);
}

// The child is this very program, started with childMode: it reads before main() is reached,
// whichever program (the launcher, a test, the benchmark) has this file linked in.
__attribute__((constructor)) void serveReadingsInChild(int argc, char **argv, char **)
{
    if (argc == 3 && std::strcmp(argv[1], childMode) == 0)
        serveReadings(argv[2]);
}

class Child
{
public:
    explicit Child(const QByteArray &dictionaryFolder)
    {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        // Named as this program is, whatever it is called.
        QByteArray program(program_invocation_short_name), mode(childMode),
            folder(dictionaryFolder);
        char *arguments[] = {program.data(), mode.data(), folder.data(), nullptr};
        // /proc/self/exe: this program's very file, even if a newer one has replaced it since.
        if (::posix_spawn(&m_pid, "/proc/self/exe", &actions, nullptr, arguments, environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        m_socket = ends[0];
    }
    ~Child()
    {
        if (m_socket >= 0)
            ::close(m_socket);
        if (m_pid <= 0)
            return;
        if (!m_answered)
            ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    // Nothing when the child fails, or when a stop is asked for: then it is killed.
    std::optional<QByteArray> ask(const QByteArray &question, const std::stop_token &stop)
    {
        if (m_pid <= 0 || !sendAll(m_socket, question) || ::shutdown(m_socket, SHUT_WR) != 0)
            return std::nullopt;
        auto answer = receiveAll(m_socket, QDeadlineTimer(childTimeout), stop);
        m_answered = answer.has_value();
        return answer;
    }

private:
    pid_t m_pid = -1;
    int m_socket = -1;
    bool m_answered = false;
};

} // namespace

std::optional<QList<QStringList>>
readJapanese(const QStringList &texts, const QString &dictionaryFolder, std::stop_token stop)
{
    if (texts.isEmpty())
        return QList<QStringList>();
    QByteArray question;
    for (const QString &text : texts) {
        // One a line: a line's end or a tab within a text would part it.
        QString line = text;
        question += line.replace(u'\n', u' ').replace(u'\r', u' ').replace(u'\t', u' ').toUtf8();
        question += '\n';
    }
    Child child(QFile::encodeName(dictionaryFolder));
    const std::optional<QByteArray> answer = child.ask(question, stop);
    if (!answer || !answer->startsWith("1\n"))
        return std::nullopt;
    QByteArray body = answer->mid(2);
    if (!body.endsWith('\n'))
        return std::nullopt;
    body.chop(1);
    const QList<QByteArray> lines = body.split('\n');
    if (lines.size() != texts.size())
        return std::nullopt;
    QList<QStringList> readings;
    readings.reserve(texts.size());
    for (const QByteArray &line : lines) {
        readings.append(line.isEmpty() ? QStringList() : QString::fromUtf8(line).split(u'\t'));
    }
    return readings;
}

} // namespace platform
