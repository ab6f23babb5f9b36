#pragma once
#include "core/platform/platform.h"
#include "core/platform/randomsource.h"
#include <QLockFile>
#include <QSettings>
#include <memory>

namespace kesto {

// The real platform: Qt's message boxes, desktop services, settings and event loop.
class QtPlatform : public Platform
{
public:
    // lockFilePath: where the single-instance lock lives; empty means the per-user runtime
    // folder. settingsApplication: the application name of the settings store, by default
    // the executable's name. settingsFolder: where a store kept in a file lives, by default
    // the user's configuration folder.
    explicit QtPlatform(QString lockFilePath = {}, QString settingsApplication = {}, QString settingsFolder = {});
    ~QtPlatform() override;

    MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons) override;
    void openAddress(const QString &address) override;
    void pause(int milliseconds) override;
    float randomFraction() override;
    void reseedRandom() override;
    QDate today() override;
    bool internetConnected() override;
    QString programFolder() override;
    QString readSetting(const QString &section, const QString &key) override;
    bool writeSetting(const QString &section, const QString &key, const QString &value) override;
    QString chooseFileToOpen(const QString &title, const QString &filter) override;
    QString chooseFileToSave(const QString &title, const QString &filter, const QString &suggestedName) override;
    bool anotherInstanceRunning() override;
    void endProcess() override;
    void yieldToEvents() override;

    static QString defaultLockFilePath();
    // The file of the settings store: <settings folder>/<application>/<application>.conf;
    // empty where the system keeps the store elsewhere than in a file.
    QString settingsFile() const;
    // True once endProcess has run; main checks it before entering the event loop.
    bool hasEnded() const { return m_ended; }

private:
    std::unique_ptr<QSettings> openSettings() const;

    QString m_lockFilePath;
    QString m_settingsApplication;
    QString m_settingsFolder;
    std::unique_ptr<QLockFile> m_lock;
    RandomSource m_random;
    bool m_ended = false;
};

} // namespace kesto
