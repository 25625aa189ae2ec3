#include "RaceNames.h"

#include "AnsiText.h"
#include "Game.h"

#include <QStringDecoder>

#include <algorithm>

namespace
{
std::optional<QString> lengthProblem(size_t bytes)
{
    if (bytes <= RaceNames::kMaxNameBytes)
        return std::nullopt;
    return RaceNames::tr("the name is %1 bytes long, more than the %2 a race name may have")
        .arg(bytes)
        .arg(RaceNames::kMaxNameBytes);
}

void checkKeptLength(RaceName& name)
{
    const size_t bytes = std::max(name.ansi.size(), size_t(name.displayName.toUtf8().size()));
    if (std::optional<QString> problem = lengthProblem(bytes))
        name.problem = RaceNames::tr("as kept, ") + *problem;
}
} // namespace

std::optional<QString> RaceNames::problem(std::string_view utf8)
{
    if (std::optional<QString> tooLong = lengthProblem(utf8.size()))
        return tooLong;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        // C0 controls and DEL, and the C1 controls as UTF-8 writes them.
        const bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
                        static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1)
            return RaceNames::tr("the name holds a control character (at byte %1)").arg(i + 1);
    }
    return std::nullopt;
}

RaceName RaceNames::name(const Game& game, std::string_view utf8)
{
    RaceName name;
    // QString::fromUtf8 drops a leading U+FEFF, after which the name shown
    // would differ from the name charted and read back as another race.
    // Stateless, so that a sequence cut at the end shows as U+FFFD and is
    // not held back for more bytes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                     QStringDecoder::Flag::Stateless);
    name.displayName = decoder(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
    const QByteArray shown = name.displayName.toUtf8();
    name.utf8 = shown == QByteArray::fromRawData(utf8.data(), qsizetype(utf8.size()));
    // Charted from the name shown, not from the bytes: decoders differ in how
    // many U+FFFD a bad sequence gives, and the name shown, written out and
    // read back, must chart as the same race.
    const std::string_view text(shown.constData(), size_t(shown.size()));
    std::optional<std::string> exact = AnsiText::fromUtf8(text);
    name.folded = !exact;
    name.ansi = exact ? std::move(*exact) : AnsiText::fold(text);
    if (game.findRace(name.ansi) == nullptr) {
        checkKeptLength(name);
        return name;
    }
    auto next = m_nextSuffix.try_emplace(name.ansi, 2).first;
    for (;; ++next->second) {
        const std::string suffix = " (" + std::to_string(next->second) + ")";
        if (game.findRace(name.ansi + suffix) == nullptr) {
            ++next->second;
            name.ansi += suffix;
            name.displayName += QString::fromStdString(suffix);
            checkKeptLength(name);
            return name;
        }
    }
}
