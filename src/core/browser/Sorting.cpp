#include "browser/Sorting.h"

#include "browser/BackItem.h"
#include "browser/ItemText.h"
#include "catalog/ItemRoutines.h"

#include <QCollator>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

namespace quorvex {

namespace {

QCollator& Collator()
{
    thread_local QCollator collator = [] {
        // The C locale collates by code point, case and all; take a real language there.
        QLocale locale = QLocale::system();
        if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

template <typename T> int Cmp(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

bool IsArchiveFolder(const TItemRec* r)
{
    return ItemKind(r->KindFlags) == ikFolder && (r->KindFlags & ifArchive);
}

bool IsTextKey(const TItemRec* r, int key)
{
    if (ItemKind(r->KindFlags) == ikDisk) return key == 0 || key == 2 || key == 6;
    return key == 0 || key == 1 || key == 6 || key == 7 || key == 10 || key == 11 || key == 12;
}

// The text a key compares, for items of the kind that key applies to.
QString SortText(const TItemRec* r, int key)
{
    if (ItemKind(r->KindFlags) == ikDisk) {
        auto* d = static_cast<const TDiskRec*>(r);
        if (key == 2) return ItemText(d, 2);
        if (key == 6) return ItemDescription(d);
        return ItemName(d);
    }
    switch (key) {
    case 0: return ItemName(r);
    case 1: return ExtensionOf(ItemName(r));
    case 6: return ItemDescription(r);
    default: return ItemText(r, key, false);
    }
}

int64_t SizeCurrency(const TItemRec* r)
{
    if (ItemKind(r->KindFlags) == ikFile) return int64_t(static_cast<const TFileRec*>(r)->Size) * CurrencyScale;
    return static_cast<const TFolderRec*>(r)->TotalSize;
}
uint32_t ModifiedOf(const TItemRec* r)
{
    return static_cast<uint32_t>(ItemKind(r->KindFlags) == ikFile ? static_cast<const TFileRec*>(r)->Modified
                                                                  : static_cast<const TFolderRec*>(r)->Modified);
}
uint8_t AttrOf(const TItemRec* r)
{
    return ItemKind(r->KindFlags) == ikFile ? static_cast<const TFileRec*>(r)->Attr
                                            : static_cast<const TFolderRec*>(r)->Attr;
}

// text(false) compares the key's text, text(true) the names.
template <typename TextCmp> int CompareFileLike(const TItemRec* a, const TItemRec* b, int key, TextCmp&& text)
{
    switch (key) {
    case 0: return text(false);
    case 1: {
        const int r = text(false);
        return r ? r : text(true);
    }
    case 2: return Cmp(SizeCurrency(a), SizeCurrency(b));
    case 3: return Cmp(ModifiedOf(a), ModifiedOf(b));
    case 4: return Cmp(ModifiedOf(a) & 0xFFFFu, ModifiedOf(b) & 0xFFFFu);
    case 5: return Cmp(AttrOf(a), AttrOf(b));
    case 6: case 7: case 10: case 11: case 12: return text(false);
    default: return 0;
    }
}

template <typename TextCmp> int CompareDisks(const TDiskRec* a, const TDiskRec* b, int key, TextCmp&& text)
{
    switch (key) {
    case 0: case 2: case 6: return text(false);
    case 1: return Cmp(a->MediaType, b->MediaType);
    case 3: return Cmp(DiskSize(a, TDiskSizeKind::Capacity), DiskSize(b, TDiskSizeKind::Capacity));
    case 4: return Cmp(DiskSize(a, TDiskSizeKind::Free), DiskSize(b, TDiskSizeKind::Free));
    case 5: return Cmp(a->Catalogued, b->Catalogued);
    default: return 0;
    }
}

template <typename TextCmp>
int CompareWith(const TItemRec* a, const TItemRec* b, const TSortContext& ctx, TextCmp&& text)
{
    if (IsBackItem(a)) return -1;
    if (IsBackItem(b)) return 1;
    const uint8_t ka = ItemKind(a->KindFlags), kb = ItemKind(b->KindFlags);
    int r = 0;
    if (!ctx.ArchivesAsFolders && (IsArchiveFolder(a) || IsArchiveFolder(b)) &&
        ((ka == ikFolder && kb == ikFolder) || (ka == ikFile) != (kb == ikFile))) {
        const bool aArc = IsArchiveFolder(a), bArc = IsArchiveFolder(b);
        if (ka == ikFolder && kb == ikFolder && aArc != bArc) r = aArc ? 1 : -1;
        else if (ka == ikFolder && kb == ikFolder) r = CompareFileLike(a, b, ctx.Key, text);
        else if (ka == ikFile || kb == ikFile) {
            if ((ka == ikFile && bArc) || (kb == ikFile && aArc)) r = CompareFileLike(a, b, ctx.Key, text);
            else r = ka > kb ? -1 : 1; // a file and a plain folder
        }
    } else if (ka == ikCatalog || kb == ikCatalog) {
        r = 0;
    } else if (ka != kb) {
        r = ka > kb ? -1 : 1;
    } else if (ka == ikDisk) {
        r = CompareDisks(static_cast<const TDiskRec*>(a), static_cast<const TDiskRec*>(b), ctx.Key, text);
    } else if (ka == ikFile || ka == ikFolder) {
        r = CompareFileLike(a, b, ctx.Key, text);
    }
    return ctx.Reverse ? -r : r;
}

// For text made only of printable ASCII the collation reduces to one weight per character
// (upper and lower case share theirs), so such texts get a byte string of weights that
// compares with memcmp exactly as the collator would compare the texts.
struct TAsciiWeights {
    std::array<uint8_t, 128> Weight{}; // 0: ignorable, 255: not printable ASCII

    TAsciiWeights()
    {
        QCollator& collator = Collator();
        std::vector<char> chars;
        for (int c = 0; c < 128; ++c) {
            Weight[size_t(c)] = 255;
            if (c < 0x20 || c == 0x7F) continue;
            if (collator.compare(QString(QChar(c)), QString()) == 0) Weight[size_t(c)] = 0;
            else chars.push_back(char(c));
        }
        std::stable_sort(chars.begin(), chars.end(), [&](char a, char b) {
            return collator.compare(QString(QChar(a)), QString(QChar(b))) < 0;
        });
        uint8_t w = 0;
        for (size_t i = 0; i < chars.size(); ++i) {
            if (i == 0 || collator.compare(QString(QChar(chars[i - 1])), QString(QChar(chars[i]))) != 0) ++w;
            Weight[size_t(static_cast<unsigned char>(chars[i]))] = w;
        }
    }

    // False when the text holds anything but printable ASCII.
    bool Key(const QString& text, std::string& key) const
    {
        key.clear();
        key.reserve(size_t(text.size()));
        for (QChar ch : text) {
            const char16_t c = ch.unicode();
            if (c >= 128 || Weight[c] == 255) return false;
            if (Weight[c]) key.push_back(char(Weight[c]));
        }
        return true;
    }
};

const TAsciiWeights& AsciiWeights()
{
    thread_local TAsciiWeights weights;
    return weights;
}

// A text's comparison key for one sort: ASCII weights, or the collator's key.
struct TTextKey {
    std::string Ascii;
    std::optional<QCollatorSortKey> Full;
    QString Text; // kept for comparing an ASCII key with a full one
};

int CompareKeys(const TTextKey& a, const TTextKey& b)
{
    if (!a.Full && !b.Full) {
        const int r = std::memcmp(a.Ascii.data(), b.Ascii.data(), std::min(a.Ascii.size(), b.Ascii.size()));
        return r ? r : Cmp(a.Ascii.size(), b.Ascii.size());
    }
    if (a.Full && b.Full) return a.Full->compare(*b.Full);
    return Collator().compare(a.Text, b.Text);
}

TTextKey MakeKey(const QString& text)
{
    TTextKey key;
    if (!AsciiWeights().Key(text, key.Ascii)) {
        key.Full = Collator().sortKey(text);
        key.Text = text;
    } else {
        key.Text = text;
    }
    return key;
}

// A list entry with the keys of its texts, made once per sort.
struct TEntry {
    TItemRec* Rec;
    int Text;  // index into the key table, -1 when the key is not a text
    int Name;  // for the extension key: the name's key
};

} // namespace

int CompareTexts(const QString& a, const QString& b) { return Collator().compare(a, b); }

int CompareItems(const TItemRec* a, const TItemRec* b, const TSortContext& ctx)
{
    return CompareWith(a, b, ctx, [&](bool names) {
        return names ? CompareTexts(ItemName(a), ItemName(b))
                     : CompareTexts(SortText(a, ctx.Key), SortText(b, ctx.Key));
    });
}

bool SortList(std::vector<TItemRec*>& list, const TSortContext& ctx, const std::function<bool()>& cancelRequested)
{
    const size_t n = list.size();
    if (n < 2) return true;
    std::vector<TTextKey> keys;
    std::vector<TEntry> entries;
    entries.reserve(n);
    for (TItemRec* rec : list) {
        TEntry e{rec, -1, -1};
        if (!IsBackItem(rec) && IsTextKey(rec, ctx.Key)) {
            e.Text = static_cast<int>(keys.size());
            keys.push_back(MakeKey(SortText(rec, ctx.Key)));
            if (ctx.Key == 1 && ItemKind(rec->KindFlags) != ikDisk) {
                e.Name = static_cast<int>(keys.size());
                keys.push_back(MakeKey(ItemName(rec)));
            }
        }
        entries.push_back(e);
    }
    auto compare = [&](const TEntry& a, const TEntry& b) {
        return CompareWith(a.Rec, b.Rec, ctx, [&](bool names) {
            const int ia = names ? a.Name : a.Text, ib = names ? b.Name : b.Text;
            if (ia < 0 || ib < 0) return CompareTexts(names ? ItemName(a.Rec) : SortText(a.Rec, ctx.Key),
                                                      names ? ItemName(b.Rec) : SortText(b.Rec, ctx.Key));
            return CompareKeys(keys[size_t(ia)], keys[size_t(ib)]);
        });
    };

    // Bottom-up merge sort: stable, and after every merge the list holds each item once, so
    // stopping anywhere leaves a complete list.
    std::vector<TEntry> buffer(n, TEntry{nullptr, -1, -1});
    TEntry* src = entries.data();
    TEntry* dst = buffer.data();
    bool completed = true;
    for (size_t width = 1; width < n && completed; width *= 2) {
        size_t lo = 0;
        for (; lo < n; lo += 2 * width) {
            if (cancelRequested && cancelRequested()) {
                completed = false;
                break;
            }
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) dst[k++] = compare(src[j], src[i]) < 0 ? src[j++] : src[i++];
            while (i < mid) dst[k++] = src[i++];
            while (j < hi) dst[k++] = src[j++];
        }
        if (lo < n) std::copy(src + lo, src + n, dst + lo);
        std::swap(src, dst);
    }
    for (size_t i = 0; i < n; ++i) list[i] = src[i].Rec;
    return completed;
}

void ReverseList(std::vector<TItemRec*>& list)
{
    auto first = list.begin();
    if (first != list.end() && IsBackItem(*first)) ++first;
    std::reverse(first, list.end());
}

} // namespace quorvex
