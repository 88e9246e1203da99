// SPDX-License-Identifier: MIT
#include "CommaText.h"

namespace selectframe {

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool needsQuotes(const QString &entry)
{
    for (QChar c : entry)
        if (c.unicode() <= 32 || c == u'"' || c == u',')
            return true;
    return false;
}

} // namespace

QStringList splitCommaText(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = text.left(nul);

    QStringList result;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && isBlank(text[p]))
        ++p;
    while (p < n) {
        if (text[p] == u'"') {
            QString entry;
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        entry += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                entry += text[p++];
            }
            result.append(entry);
        } else {
            const qsizetype start = p;
            while (p < n && text[p].unicode() > 32 && text[p] != u',')
                ++p;
            result.append(text.mid(start, p - start).toString());
        }
        while (p < n && isBlank(text[p]))
            ++p;
        if (p < n && text[p] == u',') {
            if (p + 1 == n)
                result.append(QString());
            do
                ++p;
            while (p < n && isBlank(text[p]));
        }
    }
    return result;
}

QString quoteCommaEntry(const QString &entry)
{
    if (!needsQuotes(entry))
        return entry;
    QString quoted = entry;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString joinCommaText(const QStringList &entries)
{
    if (entries.size() == 1 && entries.front().isEmpty())
        return QStringLiteral("\"\"");
    QString text;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (i)
            text += u',';
        text += quoteCommaEntry(entries[i]);
    }
    return text;
}

} // namespace selectframe
