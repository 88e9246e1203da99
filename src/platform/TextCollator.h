// SPDX-License-Identifier: MIT
// Locale-aware text order with byte keys for plain texts.
#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>

#include <memory>
#include <string>

namespace selectframe {

/// Compares texts as QCollator does in one locale, letter case counting,
/// and gives texts of printable ASCII a byte key that orders the same way
/// (compare two keys bytewise, the shorter first on a tie), so sorting a
/// million rows costs one key per row instead of a collation per pair.
///
/// The keys come from a weight table read off the collator itself: each
/// printable character gets a primary weight (its place with letter case
/// ignored) and a tertiary one (its place among the characters it ties
/// with). A locale whose order such a table cannot express (contractions
/// such as "ch" sorting as one letter) fails a check against the collator
/// over every text of up to two characters and more, and then gets no keys:
/// every comparison goes to the collator. Tables are made once per locale,
/// on first use (the check takes milliseconds, and most frames never sort
/// before they are shown), and shared; a collator is cheap to copy. Not
/// for use from several threads at once.
class TTextCollator
{
public:
    /// The order of `locale`, by default the user's.
    explicit TTextCollator(const QLocale &locale = QLocale());
    ~TTextCollator();
    TTextCollator(const TTextCollator &);
    TTextCollator &operator=(const TTextCollator &);

    /// Negative when `a` orders before `b`, 0 when they tie, else positive.
    int compare(QStringView a, QStringView b) const;
    /// Appends the byte key of `text` to `key` and returns true; returns
    /// false, appending nothing, when `text` has none.
    bool appendKey(QStringView text, std::string &key) const;
    /// Whether texts of printable ASCII get keys in this locale.
    bool hasKeys() const { return weights() != nullptr; }

    struct TWeights;

private:
    /// The locale's weights, null when it has none.
    const TWeights *weights() const;

    QCollator m_collator;
    mutable std::shared_ptr<const TWeights> m_weights;
    mutable bool m_weightsRead = false;
};

} // namespace selectframe
