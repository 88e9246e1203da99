// SPDX-License-Identifier: MIT
#include "TextCollator.h"

#include <QMutex>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace selectframe {

namespace {

constexpr char16_t FirstKeyed = 0x20;
constexpr char16_t LastKeyed = 0x7E;

bool keyed(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() < FirstKeyed || c.unicode() > LastKeyed)
            return false;
    return true;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

/// Primary and tertiary weights of the printable ASCII characters, both
/// from 1 so that 0 can end the primary part of a key.
struct TTextCollator::TWeights
{
    uint8_t Primary[128] = {};
    uint8_t Tertiary[128] = {};

    /// The same answer as the keys' bytewise order, without making them.
    int compare(QStringView a, QStringView b) const
    {
        const qsizetype common = std::min(a.size(), b.size());
        for (qsizetype i = 0; i < common; ++i) {
            const int d = Primary[a[i].unicode()] - Primary[b[i].unicode()];
            if (d)
                return d;
        }
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        for (qsizetype i = 0; i < common; ++i) {
            const int d = Tertiary[a[i].unicode()] - Tertiary[b[i].unicode()];
            if (d)
                return d;
        }
        return 0;
    }
};

namespace {

using TWeights = TTextCollator::TWeights;

/// Reads the weights off `exact` (the case-counting collator): characters
/// in its order, a new primary weight wherever the case-blind collator sees
/// a difference between neighbours.
TWeights readWeights(const QCollator &exact, const QLocale &locale)
{
    QCollator folded(locale);
    folded.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QString> chars;
    for (char16_t c = FirstKeyed; c <= LastKeyed; ++c)
        chars.emplace_back(QChar(c));
    std::stable_sort(chars.begin(), chars.end(),
                     [&](const QString &a, const QString &b) { return exact.compare(a, b) < 0; });
    TWeights weights;
    uint8_t primary = 0;
    uint8_t tertiary = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (i == 0 || folded.compare(chars[i - 1], chars[i]) != 0) {
            ++primary;
            tertiary = 1;
        } else if (exact.compare(chars[i - 1], chars[i]) != 0) {
            ++tertiary;
        }
        const char16_t c = chars[i][0].unicode();
        weights.Primary[c] = primary;
        weights.Tertiary[c] = tertiary;
    }
    return weights;
}

/// Whether `weights` order as `exact` does: every text of one and two
/// characters (where contractions show) and a fixed sample of longer ones,
/// sorted by the collator, must rise or tie exactly where it does.
bool agrees(const TWeights &weights, const QCollator &exact)
{
    std::vector<QString> probes;
    for (char16_t a = FirstKeyed; a <= LastKeyed; ++a) {
        probes.emplace_back(QChar(a));
        for (char16_t b = FirstKeyed; b <= LastKeyed; ++b)
            probes.push_back(QString(QChar(a)) + QChar(b));
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(3, 8);
    std::uniform_int_distribution<int> letter(FirstKeyed, LastKeyed);
    for (int i = 0; i < 3000; ++i) {
        QString text(length(random), Qt::Uninitialized);
        for (QChar &c : text)
            c = QChar(char16_t(letter(random)));
        probes.push_back(text);
    }
    std::stable_sort(probes.begin(), probes.end(),
                     [&](const QString &a, const QString &b) { return exact.compare(a, b) < 0; });
    for (size_t i = 1; i < probes.size(); ++i)
        if (sign(weights.compare(probes[i - 1], probes[i])) != sign(exact.compare(probes[i - 1], probes[i])))
            return false;
    return true;
}

/// The weights of a locale, made on first use; null for a locale that
/// cannot be keyed.
std::shared_ptr<const TWeights> weightsFor(const QCollator &exact)
{
    const QLocale locale = exact.locale();
    static QMutex mutex;
    static std::map<QString, std::shared_ptr<const TWeights>> known;
    const QMutexLocker lock(&mutex);
    const QString name = locale.name();
    auto it = known.find(name);
    if (it == known.end()) {
        auto weights = std::make_shared<const TWeights>(readWeights(exact, locale));
        it = known.emplace(name, agrees(*weights, exact) ? std::move(weights) : nullptr).first;
    }
    return it->second;
}

} // namespace

TTextCollator::TTextCollator(const QLocale &locale) : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
}

TTextCollator::~TTextCollator() = default;
TTextCollator::TTextCollator(const TTextCollator &) = default;
TTextCollator &TTextCollator::operator=(const TTextCollator &) = default;

const TTextCollator::TWeights *TTextCollator::weights() const
{
    if (!m_weightsRead) {
        m_weights = weightsFor(m_collator);
        m_weightsRead = true;
    }
    return m_weights.get();
}

int TTextCollator::compare(QStringView a, QStringView b) const
{
    if (const TWeights *w = weights(); w && keyed(a) && keyed(b))
        return w->compare(a, b);
    return m_collator.compare(a, b);
}

bool TTextCollator::appendKey(QStringView text, std::string &key) const
{
    const TWeights *w = weights();
    if (!w)
        return false;
    // Written in place, a million keys per sort: the primary weights, a 0,
    // then the tertiary ones; a character without weights takes the key
    // back out.
    const std::size_t start = key.size();
    const std::size_t n = std::size_t(text.size());
    key.resize(start + 2 * n + 1);
    char *primary = key.data() + start;
    char *tertiary = primary + n + 1;
    const char16_t *in = text.utf16();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c < FirstKeyed || c > LastKeyed) {
            key.resize(start);
            return false;
        }
        primary[i] = char(w->Primary[c]);
        tertiary[i] = char(w->Tertiary[c]);
    }
    primary[n] = '\0';
    return true;
}

} // namespace selectframe
