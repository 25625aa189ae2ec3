// kvdump FILE.kv: checks a chart file and prints it as JSON on stdout.
// Exit codes: 0 the file is valid, 1 it is malformed or unreadable (one line
// on stderr names the file and the cause), 2 the command line is wrong.
#include "KvError.h"
#include "KvJson.h"
#include "KvReader.h"
#include "KvValidator.h"

#include <KurvoBuildVersion.h>
#include <QJsonDocument>

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

namespace
{
constexpr const char* kUsage = "usage: kvdump FILE.kv\n       kvdump --help | --version\n";
constexpr const char* kHelp =
    "Checks a chart file (.kv) and prints it as JSON: the selected race names,\n"
    "the chart flags and the statistics they show, and every race with its game,\n"
    "turn count and five series blocks (header fields and per-turn values, null\n"
    "for a turn without data). Names are converted from the ANSI code page\n"
    "(Windows-1251) to UTF-8.\n"
    "\n"
    "Exit status: 0 valid, 1 malformed or unreadable (the cause is printed on\n"
    "stderr), 2 wrong command line.\n";

int dump(const std::string& path)
{
    try {
        std::unique_ptr<CKurvoDoc> doc = KvReader::read(path);
        KvValidator::check(*doc);
        const QByteArray json = QJsonDocument(KvJson::toJson(*doc)).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const KvError& error) {
        std::fprintf(stderr, "kvdump: %s: %s\n", path.c_str(), error.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "kvdump: %s: out of memory\n", path.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kvdump: %s: %s\n", path.c_str(), error.what());
    }
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("kvdump " KURVO_VERSION_TEXT "\n", stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0' || (argv[1][0] == '-' && argv[1][1] != '\0')) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return dump(argv[1]);
}
