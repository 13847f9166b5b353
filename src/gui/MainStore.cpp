#include "MainStore.h"

#include <QSettings>
#include <QStringList>
#include <QtEndian>

namespace quorvex {

namespace {
constexpr char WindowPosValue[] = "WindowPos";
constexpr char RecentValue[] = "MRUList";
constexpr char RevisionValue[] = "RevisionMarker";
constexpr int Revision = 2;
} // namespace

QByteArray EncodeMainLayout(const TMainLayout& l)
{
    QByteArray bytes(30, '\0');
    auto* p = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<qint32>(l.Left, p);
    qToLittleEndian<qint32>(l.Top, p + 4);
    qToLittleEndian<qint32>(l.Width, p + 8);
    qToLittleEndian<qint32>(l.Height, p + 12);
    qToLittleEndian<qint32>(l.TreeWidth, p + 16);
    p[28] = l.ViewStyle;
    p[29] = l.SortByte;
    return bytes;
}

std::optional<TMainLayout> DecodeMainLayout(const QByteArray& bytes)
{
    if (bytes.size() != 30) return std::nullopt;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    TMainLayout l;
    l.Left = qFromLittleEndian<qint32>(p);
    l.Top = qFromLittleEndian<qint32>(p + 4);
    l.Width = qFromLittleEndian<qint32>(p + 8);
    l.Height = qFromLittleEndian<qint32>(p + 12);
    l.TreeWidth = qFromLittleEndian<qint32>(p + 16);
    l.ViewStyle = p[28] <= 3 ? p[28] : 3;
    l.SortByte = p[29];
    return l;
}

TMainStore::TMainStore(const QString& path)
    : m_settings(path.isEmpty() ? std::make_unique<QSettings>("Talmirex", "Quorvex")
                                : std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

TMainStore::~TMainStore() = default;

std::optional<TMainLayout> TMainStore::Layout() const
{
    const QVariant v = m_settings->value(WindowPosValue);
    if (v.typeId() != QMetaType::QByteArray) return std::nullopt;
    return DecodeMainLayout(v.toByteArray());
}

void TMainStore::SetLayout(const TMainLayout& layout) { m_settings->setValue(WindowPosValue, EncodeMainLayout(layout)); }

std::vector<std::string> TMainStore::RecentFiles() const
{
    std::vector<std::string> names;
    for (const QString& n : m_settings->value(RecentValue).toStringList())
        if (!n.isEmpty()) names.push_back(n.toStdString());
    return names;
}

void TMainStore::SetRecentFiles(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& n : names) list << QString::fromStdString(n);
    m_settings->setValue(RecentValue, list);
}

bool TMainStore::SettingsPresent() const { return m_settings->contains(RevisionValue); }

void TMainStore::WriteRevisionMarker() { m_settings->setValue(RevisionValue, Revision); }

void TMainStore::Sync() { m_settings->sync(); }

} // namespace quorvex
