#include "CliCommands.h"

#include "archive/ArchiveDates.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveLister.h"

#include <QFileInfo>
#include <QString>

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
    if (!QFileInfo(file).isFile()) {
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

} // namespace

int RunArchive(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[0], "list") != 0) {
        std::fputs("usage: quorvex-cli archive list FILE [--spec MASK]\n", stderr);
        return 2;
    }
    QString spec = QStringLiteral("*.*");
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--spec") && i + 1 < argc) {
            spec = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "quorvex-cli archive: unexpected argument '%s'\n", argv[i]);
            return 2;
        }
    }
    return ListArchive(QString::fromLocal8Bit(argv[1]), spec);
}

} // namespace quorvex::cli
