#pragma once
#include "reading/currentreading.h"
#include <QString>

namespace kesto {

class Platform;

// The process-wide state: created once by main (and afresh by each test) and handed to
// every collaborator through its constructor.
struct Session
{
    explicit Session(Platform &p) : platform(p) {}
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    Platform &platform;
    CurrentReading reading;
    // The address the dictionary browser opens when it is created; also the dictionary
    // search's scratch text.
    QString dictionaryLink;
    // 1 when the last internet test found a connection.
    qint32 internetConnected = 0;
};

} // namespace kesto
