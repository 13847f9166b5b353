#include "SignatureClassifier.h"

namespace quorvex {

namespace {

constexpr uint16_t Word(char a, char b)
{
    return uint16_t(uint8_t(a) | uint8_t(b) << 8);
}
constexpr uint16_t Word(uint8_t a, uint8_t b)
{
    return uint16_t(a | b << 8);
}

// An old self-extracting ARC program whose archive begins at a fixed place.
constexpr int32_t ArcExeStartOffset = 7717;

} // namespace

TSignatureResult ClassifySignature(const uint8_t b[4], TSignatureMode mode)
{
    const bool exe = mode == TSignatureMode::Executable;
    const uint16_t low = Word(b[0], b[1]);
    const uint16_t high = Word(b[2], b[3]);
    auto pick = [&](TArcType plain, TArcType inExe) {
        return TSignatureResult{exe ? inExe : plain, 0};
    };

    if (low == Word('P', 'K')) return pick(atZIP, atZipExe);
    if (low == Word('M', 'S') && high == Word('C', 'F')) return pick(atCAB, atNA);
    if (b[0] == 0 && b[1] == 0 && b[2] == 0 && b[3] == 0x50) return pick(atZip250, atZip250Exe);
    if (low == Word('B', 'H') && b[2] == 5 && b[3] == 7) return pick(atBH, atBHExe);
    if (low == Word('H', 'A')) return pick(atHA, atNA);
    if (b[0] == 0x1F &&
        (b[1] == 0x8B || b[1] == 0x9D || b[1] == 0x9E || b[1] == 0x1E || b[1] == 0xA0))
        return pick(atGZip, atNA);
    if (b[0] == 0x60 && b[1] == 0xEA) return pick(atARJ, atArjExe);
    if (low == Word('Z', 'O')) return pick(atZOO, atNA);
    if (high == Word('-', 'l')) return pick(atLHA, atLhaExe);
    if (low == Word('R', 'a')) return pick(atRAR, atRarExe);
    if (b[0] == 0x1A && (b[1] == 0x0A || b[1] == 0x0B)) return pick(atPAK, atPakExe);
    if (b[0] == 0x1A && (b[1] == 0x08 || b[1] == 0x09)) return pick(atARC, atArcExe);
    if (b[0] == 0xB7 && (b[1] == 0x92 || b[1] == 0xDF)) return {atArcExe, ArcExeStartOffset};
    return {atUnknown, 0};
}

} // namespace quorvex
