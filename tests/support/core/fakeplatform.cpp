#include "fakeplatform.h"
#include <QCoreApplication>
#include <cmath>

namespace kesto::test {

MessageAnswer FakePlatform::message(const QString &text, MessageIcon icon, MessageButtons buttons)
{
    Message m{text, icon, buttons};
    messages.append(m);
    if (onMessage)
        onMessage(m);
    if (buttons == MessageButtons::YesNo) {
        if (answers.empty())
            return MessageAnswer::No;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return MessageAnswer::Ok;
}

float FakePlatform::randomFraction()
{
    ++fractionsServed;
    if (fractions.empty()) {
        ++fallbackStep;
        const double walk = fallbackStep * 0.6180339887498949;
        return float(walk - std::floor(walk));
    }
    const float f = fractions.front();
    fractions.pop_front();
    return f;
}

QString FakePlatform::readSetting(const QString &section, const QString &key)
{
    return settings.value(section + QLatin1Char('/') + key);
}

bool FakePlatform::writeSetting(const QString &section, const QString &key, const QString &value)
{
    if (failSettingWrites)
        return false;
    settings.insert(section + QLatin1Char('/') + key, value);
    return true;
}

QString FakePlatform::chooseFileToOpen(const QString &title, const QString &)
{
    chosenFileTitles.append(title);
    return fileToOpen;
}

void FakePlatform::yieldToEvents()
{
    ++yields;
    if (onYield)
        onYield();
    if (processEventsOnYield)
        QCoreApplication::processEvents();
}

void FakePlatform::queueFractions(std::initializer_list<float> values)
{
    fractions.insert(fractions.end(), values.begin(), values.end());
}

void FakePlatform::queueFractions(const QList<float> &values)
{
    fractions.insert(fractions.end(), values.begin(), values.end());
}

QStringList FakePlatform::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts.append(m.text);
    return texts;
}

} // namespace kesto::test
