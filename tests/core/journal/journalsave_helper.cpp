// Keeps readings into the journal in the given folder, one after another, until it is killed;
// prints "kept" after each one.
#include "core/journal/journalstore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    kesto::JournalStore store(QString::fromLocal8Bit(argv[1]));
    kesto::JournalReading reading;
    reading.strName = QStringLiteral("Killed mid-save");
    reading.spreadName = QStringLiteral("Celtic Cross");
    reading.drawnCards = QList<qint32>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0};
    // Large enough that a save spans many pages of the file.
    for (int i = 0; i < 40000; ++i)
        reading.note += QString::number(i * 7919 % 10007);
    reading.report = reading.note.toUtf8();
    for (;;) {
        if (!store.add(reading))
            return 1;
        std::printf("kept\n");
        std::fflush(stdout);
    }
}
