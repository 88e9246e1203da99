#include "StringValueList.h"

#include "platform/FoldedText.h"

#include <QHash>
#include <QMutex>

#include <algorithm>
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
    static constexpr qsizetype MaxNames = 256;
    using TPooledName = TStringValueLines::TPooledName;

    /// The pooled copy of `name`; null when the pool is full and lacks it.
    const TPooledName *find(QStringView name)
    {
        // Hosts pass the same few strings again and again: a small cache
        // per thread, keyed by the caller's text, spares the lock and the
        // hash. An entry is only taken after its text compares equal.
        const quintptr at = quintptr(name.constData());
        TRecent &recent = t_recent[((at >> 4) ^ (at >> 10)) % RecentSlots];
        if (recent.Text == name.constData() && recent.Pooled->Text.size() == name.size()
            && std::memcmp(recent.Pooled->Text.constData(), name.constData(), size_t(name.size()) * sizeof(QChar)) == 0)
            return recent.Pooled;
        const TPooledName *pooled = lookUp(name);
        if (pooled)
            recent = {name.constData(), pooled};
        return pooled;
    }

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
        TPooledName &owned = m_names.emplace_back(TPooledName{name.toString(), nullptr, name.contains(u'=')});
        owned.Class = &owned;
        for (const TPooledName &other : m_names)
            if (&other != &owned && other.Text.size() == name.size() && foldedEqual(other.Text, name)) {
                owned.Class = other.Class;
                break;
            }
        m_index.insert(QStringView(owned.Text), &owned);
        return &owned;
    }

    QMutex m_lock;
    std::deque<TPooledName> m_names; // stable addresses
    QHash<QStringView, const TPooledName *> m_index;
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
    for (int i = 0; i < m_count; ++i)
        if (line(i).Name & OwnedName)
            delete &nameText(line(i).Name);
}

const QString &TStringValueLines::nameText(TName Name)
{
    if (Name & OwnedName)
        return *reinterpret_cast<const QString *>(Name & ~OwnedName);
    return reinterpret_cast<const TPooledName *>(Name)->Text;
}

TStringValueLines::TLine &TStringValueLines::line(int Index)
{
    return Index < InlineLines ? m_inline[size_t(Index)] : (*m_more)[size_t(Index - InlineLines)];
}

const TStringValueLines::TLine &TStringValueLines::line(int Index) const
{
    return Index < InlineLines ? m_inline[size_t(Index)] : (*m_more)[size_t(Index - InlineLines)];
}

int TStringValueLines::find(QStringView Name, const TPooledName *Pooled) const
{
    // Names are pooled, as almost all are: a line matches when its name is
    // the pooled one or of its fold class.
    if (Pooled) {
        for (int i = 0; i < m_count; ++i) {
            const TName name = line(i).Name;
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
    for (int i = 0; i < m_count; ++i) {
        const QString &name = nameText(line(i).Name);
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
    return i < 0 ? nullptr : &line(i).Value;
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
        line(i).Value = Value;
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
    TName name = reinterpret_cast<TName>(Pooled);
    if (!name)
        name = reinterpret_cast<TName>(new QString(Name)) | OwnedName;
    if (m_count < InlineLines) {
        m_inline[size_t(m_count)] = {name, Value};
    } else {
        if (!m_more)
            m_more = std::make_unique<std::vector<TLine>>();
        m_more->push_back({name, Value});
    }
    ++m_count;
}

void TStringValueLines::removeAt(int Index)
{
    if (line(Index).Name & OwnedName)
        delete &nameText(line(Index).Name);
    for (int i = Index; i + 1 < m_count; ++i)
        line(i) = std::move(line(i + 1));
    --m_count;
    if (m_count < InlineLines)
        m_inline[size_t(m_count)] = {};
    else
        m_more->pop_back();
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
