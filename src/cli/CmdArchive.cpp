#include "CliCommands.h"

#include "archive/ArchiveDates.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveKinds.h"
#include "archive/ArchiveLister.h"
#include "extract/ExtractFiles.h"
#include "extract/ExtractMessages.h"
#include "platform/NativeNames.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace quorvex::cli {

namespace {

// Control characters become \xNN, as in dump, so that every member stays on one line.
std::string Escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 32 || c == 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string MemberLine(const TArchiveMember& m)
{
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "\t%d\t%d\t%u\t%08X\t", m.UnpackedSize, m.PackedSize,
                  unsigned(m.Ratio), unsigned(m.CRC));
    char attr[16];
    std::snprintf(attr, sizeof attr, "\t%08X\t", unsigned(m.ExternalAttr));
    return "member\t" + Escaped(m.MemberName) + numbers + FormatArchiveDateTime(m.MemberDate) +
           "\t" + m.MethodName + attr + Escaped(m.MemberComment) + "\n";
}

int ListArchive(const QString& file, const QString& spec)
{
    TArchiveLister lister;
    std::vector<std::string> members;
    std::string totals;
    std::vector<std::string> errors;
    lister.OnRead = [&](TArchiveLister& l, int32_t, int32_t) {
        members.push_back(MemberLine(l.Member()));
    };
    lister.OnTotals = [&](TArchiveLister& l, int32_t count) {
        const TArchiveState& s = l.State();
        totals = "total\t" + std::to_string(count) + "\t" + std::to_string(s.TotalUnpacked) + "\t" +
                 std::to_string(s.TotalPacked) + "\t" + std::to_string(l.Member().Ratio) + "\n";
    };
    lister.OnError = [&](TZipCommon&, const QString&, const QString&, int code) {
        errors.push_back("error " + std::to_string(code) + ": " + ArchiveErrorText(code) + "\n");
    };
    lister.SetFileSpec(spec);
    if (!NativeIsFile(file)) {
        std::fprintf(stderr, "error %d: %s\n", E_FILENOTFOUND, ArchiveErrorText(E_FILENOTFOUND));
        return 1;
    }
    lister.SetArchiveFile(file);
    const bool ok = lister.Activate();
    std::printf("type\t%s\n", ArcTypeName(lister.ArcType()));
    std::printf("comment\t%s\n", Escaped(lister.State().ArchiveComment).c_str());
    for (const std::string& line : members)
        std::fputs(line.c_str(), stdout);
    std::fputs(totals.c_str(), stdout);
    for (const std::string& line : errors)
        std::fputs(line.c_str(), stderr);
    return ok ? 0 : 1;
}

const char* const Usage = "usage: quorvex-cli archive list FILE [--spec MASK]\n"
                         "       quorvex-cli archive extract FILE DEST [MEMBER...] [--folders] [--overwrite]\n";

// One line per unpacked member with its check verdict; existing files are kept unless
// --overwrite is given.
int ExtractArchive(int argc, char** argv)
{
    const QString file = NameFromNative(argv[1]);
    QString dest = NameFromNative(argv[2]);
    if (!dest.endsWith(u'/')) dest += u'/';
    bool folders = false, overwrite = false;
    QStringList members;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--folders"))
            folders = true;
        else if (!std::strcmp(argv[i], "--overwrite"))
            overwrite = true;
        else if (argv[i][0] == '-' && argv[i][1] == '-') {
            std::fprintf(stderr, "quorvex-cli archive: unexpected argument '%s'\n", argv[i]);
            return 2;
        } else
            members.append(NameFromNative(argv[i]));
    }
    const int kind = ArchiveKindOfName(file);
    if (kind == 0 || !ArchiveKindRow(kind).Extractable) {
        std::fprintf(stderr, "quorvex-cli archive: no extractor for '%s'\n", argv[1]);
        return 1;
    }
    if (!NativeIsFile(file)) {
        std::fprintf(stderr, "error %d: %s\n", E_FILENOTFOUND, ArchiveErrorText(E_FILENOTFOUND));
        return 1;
    }
    ExtractHooks().MemberEnd = [](const QString& name, bool pass) {
        std::printf("%s\t%s\n", pass ? "crc-ok" : "crc-failed", NativeFromName(name).constData());
    };
    if (!overwrite)
        ExtractHooks().FileExists = [](const QString& name, bool& accept) {
            accept = false;
            std::printf("exists\t%s\n", NativeFromName(name).constData());
        };
    // The messages of a failed run go to stderr through the console prompt.
    bool ok = true;
    if (members.isEmpty()) {
        ok = ExtractFiles(kind, file, dest, false, folders, false, nullptr, QStringLiteral("*.*"));
    } else if (ArchiveKindRow(kind).MemberListExtraction) {
        ok = ExtractFiles(kind, file, dest, false, folders, false, &members, QStringLiteral("*.*"));
    } else {
        for (const QString& member : members)
            if (!ExtractFiles(kind, file, dest, false, folders, false, nullptr, member)) ok = false;
    }
    std::fflush(stdout);
    if (!ok) std::fprintf(stderr, "error %d\n", LastExtractError);
    return ok ? 0 : 1;
}

} // namespace

int RunArchive(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[0], "extract") == 0) return ExtractArchive(argc, argv);
    if (argc < 2 || std::strcmp(argv[0], "list") != 0) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QString spec = QStringLiteral("*.*");
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--spec") && i + 1 < argc) {
            spec = NameFromNative(argv[++i]);
        } else {
            std::fprintf(stderr, "quorvex-cli archive: unexpected argument '%s'\n", argv[i]);
            return 2;
        }
    }
    return ListArchive(NameFromNative(argv[1]), spec);
}

} // namespace quorvex::cli
