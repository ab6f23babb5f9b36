#pragma once
#include <QDate>
#include <QString>

namespace kesto {

enum class MessageIcon { Information, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Everything that touches the outside world and that a test must control. The program
// uses QtPlatform; tests use FakePlatform (tests/support). Nothing else calls these
// facilities directly.
class Platform
{
public:
    virtual ~Platform() = default;

    // Modal message box with the caption "Kesto". The text keeps its carriage returns
    // (code 13); only the real implementation turns them into visible line breaks.
    virtual MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok)
        = 0;
    // Opens an address with the user's default handler.
    virtual void openAddress(const QString &address) = 0;
    // Blocks the user-interface thread for the given time.
    virtual void pause(int milliseconds) = 0;
    // A uniform fraction r with 0 <= r < 1.
    virtual float randomFraction() = 0;
    // Reseeds the random generator from the clock.
    virtual void reseedRandom() = 0;
    virtual QDate today() = 0;
    virtual bool internetConnected() = 0;
    // The folder that holds the program and its content (cards/, pic/, tarot.dll).
    virtual QString programFolder() = 0;
    // Per-user settings of this program: an empty text when the value is absent.
    virtual QString readSetting(const QString &section, const QString &key) = 0;
    virtual bool writeSetting(const QString &section, const QString &key, const QString &value) = 0;
    // Asks the user for a file to open; an empty text when the user cancels.
    virtual QString chooseFileToOpen(const QString &title, const QString &filter) = 0;
    // Asks the user where to save a file, offering a name; an empty text when the user cancels.
    virtual QString chooseFileToSave(const QString &title, const QString &filter, const QString &suggestedName) = 0;
    // True when another copy of the program is already running.
    virtual bool anotherInstanceRunning() = 0;
    // Ends the process (after every window has been closed).
    virtual void endProcess() = 0;
    // Lets pending window messages run: repaints and user commands.
    virtual void yieldToEvents() = 0;
};

} // namespace kesto
