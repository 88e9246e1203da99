// SPDX-License-Identifier: MIT
#include "StringValueList.h"

#include "platform/FoldedText.h"

#include <QHash>
#include <QMutex>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>

namespace selectframe {

namespace {

/// Every item of a frame carries the same few value names; the lines point
/// at one shared copy of each. The pool is bounded so that hosts inventing
/// names per item cannot grow it without end; its names live as long as the
/// process, so a line never outlives the name it points at. Items may be
/// made on any thread, hence the lock.
///
/// Each pooled name carries its fold class: names equal ignoring case share
/// one, so a lookup compares a line's name by pointer, or by class, instead
/// of letter by letter.
class TNamePool
{
public:
    /// Numbers of pooled names fit in the byte a list keeps per line.
    static constexpr qsizetype MaxNames = 255;
    using TPooledName = TStringValueLines::TPooledName;

    /// The pooled copy of `name`; null when the pool is full and lacks it.
    const TPooledName *find(QStringView name)
    {
        // Hosts pass the same few strings again and again: a small cache
        // per thread, keyed by the caller's text, spares the lock and the
        // hash. An entry is only taken after its text compares equal.
        const quintptr at = quintptr(name.constData());
        TRecent &recent = t_recent[((at >> 4) ^ (at >> 10)) % RecentSlots];
        if (recent.Text == name.constData() && recent.Pooled->Text.size() == name.size() &&
            std::memcmp(recent.Pooled->Text.constData(), name.constData(), size_t(name.size()) * sizeof(QChar)) == 0)
            return recent.Pooled;
        const TPooledName *pooled = lookUp(name);
        if (pooled)
            recent = {name.constData(), pooled};
        return pooled;
    }

    /// The pooled name numbered `Number`: one a list has, so it is there.
    const TPooledName *byNumber(uint8_t Number) const { return m_byNumber[Number].load(std::memory_order_acquire); }

    static TNamePool &instance()
    {
        // Never destroyed: items still alive at exit keep valid names.
        static TNamePool *const pool = new TNamePool;
        return *pool;
    }

private:
    struct TRecent
    {
        const QChar *Text = nullptr;
        const TPooledName *Pooled = nullptr;
    };
    static constexpr quintptr RecentSlots = 32;

    const TPooledName *lookUp(QStringView name)
    {
        const QMutexLocker locker(&m_lock);
        if (const TPooledName *found = m_index.value(name))
            return found;
        if (m_names.size() >= size_t(MaxNames))
            return nullptr;
        // A deep copy: the caller's string may wrap data it owns.
        const auto number = uint8_t(m_names.size());
        TPooledName &owned = m_names.emplace_back(TPooledName{name.toString(), nullptr, name.contains(u'='), number});
        owned.Class = &owned;
        for (const TPooledName &other : m_names)
            if (&other != &owned && other.Text.size() == name.size() && foldedEqual(other.Text, name)) {
                owned.Class = other.Class;
                break;
            }
        m_index.insert(QStringView(owned.Text), &owned);
        m_byNumber[number].store(&owned, std::memory_order_release);
        return &owned;
    }

    QMutex m_lock;
    std::deque<TPooledName> m_names; // stable addresses
    QHash<QStringView, const TPooledName *> m_index;
    // Read without the lock: a list only holds numbers handed out before.
    std::array<std::atomic<const TPooledName *>, MaxNames> m_byNumber{};
    static thread_local std::array<TRecent, RecentSlots> t_recent;
};

thread_local std::array<TNamePool::TRecent, TNamePool::RecentSlots> TNamePool::t_recent;

/// Case-blind equality of two names of one length. Names are mostly ASCII:
/// those units fold here, and only a name with another unit takes the full
/// comparison.
inline bool sameName(QStringView a, QStringView b)
{
    const char16_t *x = a.utf16();
    const char16_t *y = b.utf16();
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t p = x[i];
        const char16_t q = y[i];
        if (p == q)
            continue;
        if ((p | q) >= 0x80)
            return foldedEqual(a, b);
        const char16_t lower = p | 0x20;
        if (lower != (q | 0x20) || lower < u'a' || lower > u'z')
            return false;
    }
    return true;
}

constexpr quintptr OwnedName = 1;
static_assert(alignof(TStringValueLines::TPooledName) > 1, "the low bit of a name pointer marks an owned name");
static_assert(alignof(QString) > 1, "the low bit of a name pointer marks an owned name");

} // namespace

TStringValueLines::~TStringValueLines()
{
    if (m_more)
        for (const TLine &line : *m_more)
            if (line.Name & OwnedName)
                delete &nameText(line.Name);
}

const QString &TStringValueLines::nameText(TName Name)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a name is a pointer with its ownership in the low bit.
    if (Name & OwnedName)
        return *reinterpret_cast<const QString *>(Name & ~OwnedName);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): as above.
    return reinterpret_cast<const TPooledName *>(Name)->Text;
}

TStringValueLines::TName TStringValueLines::nameAt(int Index) const
{
    if (Index < m_inlineCount)
        return reinterpret_cast<TName>(TNamePool::instance().byNumber(m_names[size_t(Index)]));
    return (*m_more)[size_t(Index - m_inlineCount)].Name;
}

QString &TStringValueLines::valueAt(int Index)
{
    return Index < m_inlineCount ? m_values[size_t(Index)] : (*m_more)[size_t(Index - m_inlineCount)].Value;
}

const QString &TStringValueLines::valueAt(int Index) const
{
    return Index < m_inlineCount ? m_values[size_t(Index)] : (*m_more)[size_t(Index - m_inlineCount)].Value;
}

int TStringValueLines::find(QStringView Name, const TPooledName *Pooled) const
{
    // Names are pooled, as almost all are: a line matches when its name is
    // the pooled one or of its fold class.
    const int lines = count();
    if (Pooled) {
        for (int i = 0; i < m_inlineCount; ++i)
            if (m_names[size_t(i)] == Pooled->Number ||
                TNamePool::instance().byNumber(m_names[size_t(i)])->Class == Pooled->Class)
                return i;
        for (int i = m_inlineCount; i < lines; ++i) {
            const TName name = nameAt(i);
            if (name == reinterpret_cast<TName>(Pooled))
                return i;
            if (name & OwnedName) {
                if (nameText(name).size() == Name.size() && sameName(nameText(name), Name))
                    return i;
            } else if (reinterpret_cast<const TPooledName *>(name)->Class == Pooled->Class) {
                return i;
            }
        }
        return -1;
    }
    // Case-blind equality folds code point by code point and never matches
    // texts of different lengths, so the size check skips most lines cheaply.
    for (int i = 0; i < lines; ++i) {
        const QString &name = nameText(nameAt(i));
        if (name.size() == Name.size() && sameName(name, Name))
            return i;
    }
    return -1;
}

QString TStringValueLines::value(QStringView Name) const
{
    const QString *found = valueRef(Name);
    return found ? *found : QString();
}

const QString *TStringValueLines::valueRef(QStringView Name) const
{
    const int i = find(Name, TNamePool::instance().find(Name));
    return i < 0 ? nullptr : &valueAt(i);
}

void TStringValueLines::setValue(const QString &Name, const QString &Value)
{
    const TPooledName *pooled = TNamePool::instance().find(Name);
    const int i = find(Name, pooled);
    if (Value.isEmpty()) {
        if (i >= 0)
            removeAt(i);
        return;
    }
    if (i >= 0) {
        valueAt(i) = Value;
        return;
    }
    // A pooled name knows whether it holds a '='; others are scanned, an
    // inline scan beating the library call for short names.
    const char16_t *text = reinterpret_cast<const char16_t *>(Name.constData());
    const qsizetype separator =
        pooled && !pooled->HasSeparator ? Name.size() : std::find(text, text + Name.size(), u'=') - text;
    if (separator == Name.size())
        append(Name, Value, pooled);
    else
        append(Name.left(separator), Name.mid(separator + 1) + u'=' + Value,
               TNamePool::instance().find(QStringView(Name).left(separator)));
}

void TStringValueLines::append(const QString &Name, const QString &Value, const TPooledName *Pooled)
{
    if (Pooled && m_inlineCount < InlineLines && (!m_more || m_more->empty())) {
        m_values[m_inlineCount] = Value;
        m_names[m_inlineCount] = Pooled->Number;
        ++m_inlineCount;
        return;
    }
    TName name = reinterpret_cast<TName>(Pooled);
    if (!name)
        name = reinterpret_cast<TName>(new QString(Name)) | OwnedName;
    if (!m_more)
        m_more = std::make_unique<std::vector<TLine>>();
    m_more->push_back({name, Value});
}

void TStringValueLines::removeAt(int Index)
{
    if (Index >= m_inlineCount) {
        const auto at = m_more->begin() + (Index - m_inlineCount);
        if (at->Name & OwnedName)
            delete &nameText(at->Name);
        m_more->erase(at);
        return;
    }
    for (int i = Index; i + 1 < m_inlineCount; ++i) {
        m_values[size_t(i)] = std::move(m_values[size_t(i + 1)]);
        m_names[size_t(i)] = m_names[size_t(i + 1)];
    }
    --m_inlineCount;
    m_values[m_inlineCount] = QString();
    // The first line on the heap moves inside when its name is pooled, so
    // the lines inside stay the first ones.
    if (m_more && !m_more->empty() && !(m_more->front().Name & OwnedName)) {
        m_values[m_inlineCount] = std::move(m_more->front().Value);
        m_names[m_inlineCount] = reinterpret_cast<const TPooledName *>(m_more->front().Name)->Number;
        ++m_inlineCount;
        m_more->erase(m_more->begin());
    }
}

void TStringValueList::GetValue(const QString &Name, QString *Value)
{
    *Value = Lines.value(Name);
}

void TStringValueList::SetValue(const QString &Name, const QString &Value)
{
    Lines.setValue(Name, Value);
}

} // namespace selectframe
