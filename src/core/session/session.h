#pragma once
#include "core/dictionary/dictstore.h"
#include "core/journal/journal.h"
#include "core/reading/currentreading.h"
#include <QString>

namespace kesto {

class Platform;

// The process-wide state: created once by main (and afresh by each test) and handed to
// every collaborator through its constructor.
struct Session
{
    explicit Session(Platform &p) : platform(p), journal(p) {}
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    Platform &platform;
    CurrentReading reading;
    // The address the dictionary browser opens when it is created; also the dictionary
    // search's scratch text.
    QString dictionaryLink;
    // 1 when the last internet test found a connection.
    qint32 internetConnected = 0;
    // The step of the dictionary update's progress window; it outlives the window and goes
    // back to 0 when the window closes.
    qint16 ProgressCount = 0;
    // Which dictionary file the dictionary actions read and the update writes.
    DictionaryStore dictionaryStore;
    // The kept readings.
    Journal journal;
};

} // namespace kesto
