#pragma once
// The real platform as the reading benchmarks run it: no pause, the built content, and
// scripted fractions that cast one fixed Celtic Cross with every card reversed.
#include "core/reading/deck.h"
#include "ui/platform/qtplatform.h"

#include <array>
#include <deque>

namespace kesto::bench {

// The ten cards of the benchmarked Celtic Cross, in draw order.
constexpr std::array<CardId, 10> kCards{3, 17, 25, 40, 52, 61, 70, 8, 33, 77};

class CastPlatform : public QtPlatform
{
public:
    // `settingsApplication` keeps each benchmark's settings apart from the user's.
    explicit CastPlatform(const QString &settingsApplication) : QtPlatform(QString(), settingsApplication) {}

    void pause(int) override {}
    void reseedRandom() override {}
    QString programFolder() override { return QStringLiteral(KESTO_PROGRAM_DIR); }
    MessageAnswer message(const QString &, MessageIcon, MessageButtons) override { return MessageAnswer::Ok; }
    void openAddress(const QString &) override {}
    float randomFraction() override
    {
        if (fractions.empty())
            return 0.5f;
        const float f = fractions.front();
        fractions.pop_front();
        return f;
    }

    // Each card drawn at the first attempt, then every orientation number reversed.
    void scriptCelticCross()
    {
        fractions.clear();
        for (CardId card : kCards)
            fractions.push_back(float((card + 0.5) / 78.0));
        for (std::size_t i = 0; i < kCards.size(); ++i)
            fractions.push_back(0.9f);
    }

    std::deque<float> fractions;
};

} // namespace kesto::bench
