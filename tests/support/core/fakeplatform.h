#pragma once
#include "core/platform/platform.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace kesto::test {

// A platform that records what the program asks of the outside world and answers from a
// script. Messages, opened addresses, pauses and yields are recorded; random fractions come
// from a queue, then from a fixed walk once it runs dry.
class FakePlatform : public Platform
{
public:
    struct Message
    {
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons) override;
    void openAddress(const QString &address) override { openedAddresses.append(address); }
    void pause(int milliseconds) override { pauses.append(milliseconds); }
    float randomFraction() override;
    void reseedRandom() override { ++reseeds; }
    QDate today() override { return todayDate; }
    bool internetConnected() override { return online; }
    QString programFolder() override { return folder; }
    QString readSetting(const QString &section, const QString &key) override;
    bool writeSetting(const QString &section, const QString &key, const QString &value) override;
    QString chooseFileToOpen(const QString &title, const QString &filter) override;
    QString chooseFileToSave(const QString &title, const QString &, const QString &suggestedName) override
    {
        chosenFileTitles.append(title);
        suggestedSaveNames.append(suggestedName);
        return fileToSave;
    }
    bool anotherInstanceRunning() override { return otherInstance; }
    void endProcess() override { ++endCount; }
    void yieldToEvents() override;

    // Queues fractions to be served in order.
    void queueFractions(std::initializer_list<float> values);
    void queueFractions(const QList<float> &values);

    // What the program did
    QList<Message> messages;
    // The texts of `messages`, in order.
    QStringList messageTexts() const;
    QStringList openedAddresses;
    QList<int> pauses;
    QStringList chosenFileTitles;
    int reseeds = 0;
    int yields = 0;
    int fractionsServed = 0;
    int endCount = 0;

    // Script
    std::deque<float> fractions;
    // Once the queue is empty: a fixed low-discrepancy walk, so that a draw always finishes.
    int fallbackStep = 0;
    std::deque<MessageAnswer> answers; // for Yes/No questions; "No" when empty
    QDate todayDate = QDate(2026, 12, 9);
    bool online = false;
    QString folder;
    bool otherInstance = false;
    QString fileToOpen;
    QString fileToSave;
    QStringList suggestedSaveNames;
    bool failSettingWrites = false;
    QHash<QString, QString> settings; // "section/key" -> value
    // Called on every message (e.g. to inspect the screens while a message is "shown").
    std::function<void(const Message &)> onMessage;
    // Called on every yield; lets a test act in the middle of a long step.
    std::function<void()> onYield;
    // When true, yields also process Qt events (for tests that need repaints).
    bool processEventsOnYield = false;
};

} // namespace kesto::test
