#include "scan/DescriptionFiles.h"

#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "scan/DescriptionText.h"

#include <QString>

#include <cstdio>
#include <vector>

namespace quorvex {

namespace {

constexpr size_t MaxDescription = 4096;
constexpr long MaxListFileSize = 64L * 1024 * 1024; // description lists beyond this are not media lists

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() == b.size()) {
        bool ascii = true;
        for (size_t i = 0; i < a.size(); ++i) {
            const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x >= 0x80 || y >= 0x80) {
                ascii = false;
                break;
            }
            if (std::tolower(x) != std::tolower(y)) return false;
        }
        if (ascii) return true;
    }
    return QString::fromUtf8(a.data(), qsizetype(a.size()))
               .compare(QString::fromUtf8(b.data(), qsizetype(b.size())), Qt::CaseInsensitive) == 0;
}

// The lines of a text file, without their line ends; false when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string data;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && data.size() < size_t(MaxListFileSize)) data.append(buf, n);
    std::fclose(f);
    size_t pos = 0;
    while (pos < data.size()) {
        size_t end = data.find('\n', pos);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return true;
}

TFileRec* FindFile(TItemRec* owner, std::string_view name, bool withoutDescription)
{
    for (TFileRec* f = owner->Next; f; f = f->Next)
        if (SameName(f->Name(), name) && (!withoutDescription || f->Description.IsNull())) return f;
    return nullptr;
}

TTreeNode* FindChild(TItemRec* owner, std::string_view name)
{
    if (!owner->Node) return nullptr;
    for (const auto& child : owner->Node->Children())
        if (SameName(child->Text, name)) return child.get();
    return nullptr;
}

void MarkDescribed(TItemRec* owner) { SetItemBits(owner, ifDescribedFiles, true); }

TText* DescriptionOf(TItemRec* item)
{
    if (auto* f = AsFile(item)) return &f->Description;
    if (auto* f = AsFolder(item)) return &f->Description;
    if (auto* d = AsDisk(item)) return &d->Description;
    return nullptr;
}

} // namespace

std::string ReadFileIdDiz(const std::string& filePath)
{
    FILE* f = std::fopen(filePath.c_str(), "rb");
    if (!f) return {};
    char buf[4095];
    const size_t n = std::fread(buf, 1, sizeof buf, f);
    std::fclose(f);
    std::string_view text(buf, n);
    const size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    return CleanDescription(text);
}

bool SetDescriptionIfEmpty(TItemRec* item, std::string_view text)
{
    TText* desc = DescriptionOf(item);
    if (!desc || !desc->IsNull() || text.empty()) return false;
    desc->Assign(text);
    if (ItemIs(item, ikFile) && item->Node && item->Node->Data) MarkDescribed(item->Node->Data);
    return true;
}

void ApplyDescriptIon(TItemRec* owner, const std::string& filePath, bool replace, int lineLimit)
{
    std::vector<std::string> lines;
    if (!ReadLines(filePath, lines)) return;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == ' ') continue;
        std::string name;
        size_t sep;
        if (line[0] == '"') {
            const size_t close = line.find('"', 1);
            if (close == std::string::npos) continue;
            name = line.substr(1, close - 1);
            sep = close + 1;
        } else {
            sep = line.find(' ');
            if (sep == std::string::npos) continue;
            name = line.substr(0, sep);
        }
        size_t start = line.find_first_not_of(' ', sep);
        if (start == std::string::npos || static_cast<unsigned char>(line[start]) < 0x20) continue;
        const std::string_view raw = std::string_view(line).substr(start, MaxDescription);

        TItemRec* target = FindFile(owner, name, false);
        if (!target)
            if (TTreeNode* child = FindChild(owner, name)) target = child->Data;
        if (!target) continue;
        TText* desc = DescriptionOf(target);
        if (!desc || (!desc->IsNull() && !replace)) continue;
        const std::string text = CleanDescription(WrapDescription(raw, lineLimit));
        if (text.empty()) continue;
        desc->Assign(text);
        if (ItemIs(target, ikFile)) MarkDescribed(owner);
    }
}

void ApplyFilesBbs(TItemRec* owner, const std::string& filePath, int lineLimit)
{
    std::vector<std::string> lines;
    if (!ReadLines(filePath, lines) || lines.empty()) return;
    size_t next = 1;
    std::string current = lines[0];
    bool haveCurrent = true;
    auto isEntry = [](const std::string& l) { return l.size() > 12 && static_cast<unsigned char>(l[0]) > ' '; };
    while (haveCurrent) {
        while (!isEntry(current)) {
            if (next >= lines.size()) return;
            current = lines[next++];
        }
        const size_t space = current.find(' ');
        const size_t p = space == std::string::npos ? 12 : space + 1;
        std::string name = current.substr(0, p);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();

        std::string text;
        int count = 0;
        auto contribute = [&](const std::string& l) {
            ++count;
            if (lineLimit > 0 && count > lineLimit) return;
            text += l.size() > p ? l.substr(p, MaxDescription) : std::string();
            text += "\r\n";
        };
        contribute(current);
        haveCurrent = false;
        while (text.size() < MaxDescription && next < lines.size()) {
            const std::string& l = lines[next++];
            const bool continuation = l.size() <= p || l[0] == ' ' || static_cast<unsigned char>(l[0]) < 0x20;
            if (!continuation) {
                current = l;
                haveCurrent = true;
                break;
            }
            contribute(l);
        }
        if (!haveCurrent && next < lines.size()) {
            current = lines[next++];
            haveCurrent = true;
        }
        if (text.size() >= 2) text.resize(text.size() - 2);
        if (text.size() > MaxDescription) text.resize(MaxDescription);
        text = CleanDescription(text);
        if (!text.empty() && text[0] == '|') text.erase(0, 1);
        if (text.empty()) continue;

        if (TFileRec* file = FindFile(owner, name, true)) {
            file->Description.Assign(text);
            MarkDescribed(owner);
        } else if (TTreeNode* child = FindChild(owner, name)) {
            if (TText* desc = DescriptionOf(child->Data)) desc->Assign(text);
        }
    }
}

} // namespace quorvex
