// SPDX-License-Identifier: MIT
// Runs a fuzz target over every file of its corpus, so the ordinary test
// run replays what the fuzzer found without the fuzzer.
#include "FuzzInput.h"

#include <QDirIterator>
#include <QFile>

int main(int argc, char **argv)
{
    if (argc != 2)
        return std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]), 2;
    int count = 0;
    for (QDirIterator files(QString::fromLocal8Bit(argv[1]), QDir::Files, QDirIterator::Subdirectories);
         files.hasNext(); ++count) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            return std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName())), 1;
        const QByteArray data = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
    }
    std::printf("%d inputs replayed\n", count);
    // An empty corpus proves nothing.
    return count == 0;
}
