// kvdump [--csv] FILE.kv: checks a chart file and prints it as JSON (or its
// series as a CSV table) on stdout.
// Exit codes: 0 the file is valid, 1 it is malformed or unreadable (one line
// on stderr names the file and the cause), 2 the command line is wrong.
#include "KvCsv.h"
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
constexpr const char* kUsage = "usage: kvdump [--csv] FILE.kv\n       kvdump --help | --version\n";
constexpr const char* kHelp =
    "Checks a chart file (.kv) and prints it as JSON: the selected race names,\n"
    "the chart flags and the statistics they show, and every race with its game,\n"
    "turn count and five series blocks (header fields and per-turn values, null\n"
    "for a turn without data). Names are converted from the ANSI code page\n"
    "(Windows-1251) to UTF-8.\n"
    "\n"
    "--csv prints the series instead as a table with the columns game, race,\n"
    "statistic, turn and value (in the host's units; empty where the host had no\n"
    "figure), one row per figure.\n"
    "\n"
    "Exit status: 0 valid, 1 malformed or unreadable (the cause is printed on\n"
    "stderr), 2 wrong command line.\n";

int dump(const std::string& path, bool bCsv)
{
    try {
        std::unique_ptr<CKurvoDoc> doc = KvReader::read(path);
        KvValidator::check(*doc);
        const QByteArray text =
            bCsv ? KvCsv::toCsv(*doc)
                 : QJsonDocument(KvJson::toJson(*doc)).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
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
    const bool bCsv = argc == 3 && std::strcmp(argv[1], "--csv") == 0;
    const char* pszPath = argv[argc - 1];
    if (argc != 2 + (bCsv ? 1 : 0) || pszPath[0] == '\0' ||
        (pszPath[0] == '-' && pszPath[1] != '\0')) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return dump(pszPath, bCsv);
}
