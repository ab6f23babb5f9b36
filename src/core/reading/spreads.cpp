#include "core/reading/spreads.h"

namespace kesto {

namespace {

SpreadPosition inlinePosition(const QString &title, const QString &meaning)
{
    return {title, meaning, PositionJoin::Inline};
}

SpreadPosition belowPosition(const QString &title, const QString &meaning)
{
    return {title, meaning, PositionJoin::Below};
}

Spread makeSpread(SpreadIndex index, const QString &listName, const QString &menuCaption, const QString &heading,
                  const QString &description, QList<SpreadPosition> positions)
{
    Spread s;
    s.index = index;
    s.listName = listName;
    s.menuCaption = menuCaption;
    s.heading = heading;
    s.cardCount = int(positions.size());
    s.description = description;
    s.positions = std::move(positions);
    return s;
}

QList<Spread> buildCatalogue()
{
    QList<Spread> spreads;
    spreads.reserve(kSpreadCount);

    spreads.append(makeSpread(
        kCelticCross, QStringLiteral("Celtic Cross"), QStringLiteral("&Celtic Cross"),
        QStringLiteral("Spread Type - Celtic Cross Spread"),
        QStringLiteral("This is one of the most common spreads. This is also known as the Grand Cross "
                       "spread. This spread provides a very detailed reading of the past and present "
                       "situation and the external influences. There are four cards in a row along the "
                       "side with a cross in the centre. This is a somewhat complex spread and needs "
                       "expertise."),
        {
            belowPosition(QStringLiteral("Card 1: The Covering"),
                          QStringLiteral("This represents the overall events, situations or influences "
                                         "surrounding the present question.")),
            belowPosition(QStringLiteral("Card 2: The Crossing"),
                          QStringLiteral("This represents the current problems, challenges and negative "
                                         "influences that the querent has to face.")),
            belowPosition(QStringLiteral("Card 3: The Root"),
                          QStringLiteral("This represents what was the actual reason for the problem to "
                                         "occur or how the querent feels about it subconsciously.")),
            belowPosition(QStringLiteral("Card 4: The Past"),
                          QStringLiteral("This represents events that have occurred in the near past that "
                                         "are going away.")),
            belowPosition(QStringLiteral("Card 5: The Crown"),
                          QStringLiteral("This signifies the querent's knowledge of the present situation "
                                         "and the influences affecting it.")),
            belowPosition(QStringLiteral("Card 6: The Future"),
                          QStringLiteral("This represents events that will occur in the near future.")),
            belowPosition(QStringLiteral("Card 7: The Questioner"),
                          QStringLiteral("This represents the attitude of the querent and the negative "
                                         "feelings he may have regarding the question.")),
            belowPosition(QStringLiteral("Card 8: The House"),
                          QStringLiteral("This represents the opinions and influences of friends and family.")),
            belowPosition(QStringLiteral("Card 9: The Inside"),
                          QStringLiteral("This represents the querent's hopes and fears regarding the situation.")),
            belowPosition(QStringLiteral("Card 10: The Outcome"),
                          QStringLiteral("This represents the final outcome of the situation.")),
        }));

    spreads.append(makeSpread(
        kOneCard, QStringLiteral("One Card"), QStringLiteral("&One Card"), QStringLiteral("Spread Type - One Card"),
        QStringLiteral("This is the simplest spread of all. This is generally used for daily and quick "
                       "readings. This spread is concise and good for a single issue. This can be highly "
                       "exact depending on the situation."),
        {
            inlinePosition(QStringLiteral("Card 1:  "),
                           QStringLiteral("This represents the most important factor that affects the issue "
                                          "in hand.")),
        }));

    const QString twoCardsMeaning = QStringLiteral(
        "This card signifies what can happen if you carry out the solution that this card represents.");
    spreads.append(makeSpread(
        kTwoCards, QStringLiteral("Two Cards"), QStringLiteral("&Two Cards"), QStringLiteral("Spread Type - Two Cards"),
        QStringLiteral("This spread needs certain knowledge before a reading is done. This may be used at "
                       "times for a yes/no reading or to know which of the two solutions is better. In a "
                       "yes/no reading the 'yes' card and the 'no' card are chosen in advance."),
        {
            inlinePosition(QStringLiteral("Card 1: "), twoCardsMeaning),
            inlinePosition(QStringLiteral("Card 2: "), twoCardsMeaning),
        }));

    spreads.append(makeSpread(
        kThreeCards, QStringLiteral("Three Cards"), QStringLiteral("T&hree Cards"),
        QStringLiteral("Spread Type - Three Cards"),
        QStringLiteral("This spread is good for someone who wants know how his/her life will be in "
                       "general. If a specific question has been asked, then the cards will be interpreted "
                       "with respect to the question."),
        {
            belowPosition(QStringLiteral("Card 1 - Past"),
                          QStringLiteral("This represents certain events in the past which have influenced "
                                         "the present condition. These events are responsible for the "
                                         "current events surrounding the asked question or current situation.")),
            belowPosition(QStringLiteral("Card 2 - Present"),
                          QStringLiteral("This card represents the present state surrounding some current "
                                         "event or situation. This may also be the problems and obstacles "
                                         "that the person may have to face.")),
            belowPosition(QStringLiteral("Card 3 - Future"),
                          QStringLiteral("This card represents the future outcome of the present "
                                         "circumstances or events that may lead to the outcome.")),
        }));

    spreads.append(makeSpread(
        kEliphasLevyWheel, QStringLiteral("Eliphas Levy Wheel Spread(Halvery)"),
        QStringLiteral("&Eliphas Levy Wheel Spread(Halvery)"),
        QStringLiteral("Spread Type - Eliphas Levy Wheel Spread(Halvery)"),
        QStringLiteral("This layout is based on the Eliphas Levy Wheel. He did not invent this spread but "
                       "this is based on his tarot wheel."),
        {
            belowPosition(QStringLiteral("Card 1 - The Present"),
                          QStringLiteral("This card represents the current influences on the present "
                                         "situation or event.")),
            belowPosition(QStringLiteral("Card 2 - Waning Influences"),
                          QStringLiteral("This card represents the influences that have affected the event "
                                         "and have been overcome.")),
            belowPosition(QStringLiteral("Card 3 - Hidden or Unconscious Influences"),
                          QStringLiteral("This card represents hidden or unknown influences.")),
            belowPosition(QStringLiteral("Card 4 - Emerging Influences"),
                          QStringLiteral("This card represents new influences that may effect the situation.")),
            belowPosition(QStringLiteral("Card 5 - Synthesis"),
                          QStringLiteral("This represents the synthesis of the whole situation and the "
                                         "meaning of all the influences.")),
        }));

    spreads.append(makeSpread(
        kLineSpread, QStringLiteral("The Line Spread"), QStringLiteral("The &Line Spread"),
        QStringLiteral("Spread Type - The Line Spread"),
        QStringLiteral("All cards in this layout are in a straight horizontal line in a descending order. "
                       "This spread represents the past, present and future and used for quick readings. "
                       "This is a very simple and accurate spread which gives a very clear idea about the "
                       "situation."),
        {
            inlinePosition(QStringLiteral("Card 1 - "), QStringLiteral("This card represents the distant past.")),
            inlinePosition(QStringLiteral("Card 2 - "), QStringLiteral("This card represents the recent past.")),
            inlinePosition(QStringLiteral("Card 3 - "), QStringLiteral("This card represents the present.")),
            inlinePosition(QStringLiteral("Card 4 - "), QStringLiteral("This card represents the near future.")),
            inlinePosition(QStringLiteral("Card 5 - "), QStringLiteral("This card represents the distant future.")),
        }));

    // The description keeps the two blanks after "top." as stored.
    spreads.append(makeSpread(
        kChakraLayout, QStringLiteral("Seven Card Chakra Layout"), QStringLiteral("&Seven card chakra layout"),
        QStringLiteral("Spread Type - Seven Card Chakra Spread"),
        QStringLiteral("This is a more meditative spread. This gives a clear idea of what is flowing "
                       "smoothly in the querent's body and which chakras are blocked or which need more "
                       "attention. The layout is vertical representing the seven chakras in our body. It is "
                       "read from bottom to top.  This spread is very useful for readings in which one wants "
                       "to know more about oneself. Each card is associated with a chakra colour."),
        {
            belowPosition(QStringLiteral("Card 1 - The Root"),
                          QStringLiteral("This card is associated with the physical condition of the "
                                         "querent and how he feels about himself with respect to the "
                                         "material world in terms of work, power, passion, survival.")),
            belowPosition(QStringLiteral("Card 2 - Sexual Center"),
                          QStringLiteral("This card represents the querent's emotions, desire, sexual "
                                         "passion, pleasure and self love.")),
            belowPosition(QStringLiteral("Card 3 - Power Center"),
                          QStringLiteral("This card is associated with the querent's relation with honor, "
                                         "truth, ego, self confidence, power and energy levels.")),
            belowPosition(QStringLiteral("Card 4 - The Heart"),
                          QStringLiteral("This is related to feelings for others, compassion and relationship.")),
            belowPosition(QStringLiteral("Card 5 - The Throat"),
                          QStringLiteral("This relates to the querent's thirst to know 'who he is', 'what "
                                         "does he want' and 'who would he like to be'.  This shows how you "
                                         "can connect to your ideas and communicate.")),
            belowPosition(QStringLiteral("Card 6 - The Third Eye"),
                          QStringLiteral("This represents the intuition, spiritual awareness, imagination, "
                                         "visualization and perception.")),
            belowPosition(QStringLiteral("Card 7 - The Crown"),
                          QStringLiteral("This represents the querent's connection to a higher begin whom he "
                                         "reveres, final goals and aspirations.")),
        }));

    spreads.append(makeSpread(
        kFourSeasons, QStringLiteral("Four Seasons Spread(Moravin/Fenwyn)"),
        QStringLiteral("F&our Seasons Spread(Moravin/Fenwyn)"), QStringLiteral("Spread Type - Four Seasons Spread"),
        QStringLiteral("This spread can be used to look into the near future or coming year season by "
                       "season. It gives a detailed description about what can be expected to happen in the "
                       "four seasons of the year. A person gets an in depth knowledge of his plans from the "
                       "conception to the execution stage. This is a spiritual spread."),
        {
            belowPosition(QStringLiteral("Card 1 - The Spring"),
                          QStringLiteral("This card represents the new beginning of an idea, like the "
                                         "planting of a seed for a new venture.")),
            belowPosition(QStringLiteral("Card 2"), QStringLiteral("This card alters the next card (Card 3)")),
            belowPosition(QStringLiteral("Card 3 - The Summer"),
                          QStringLiteral("This card represents the flowering or progression of an idea.")),
            belowPosition(QStringLiteral("Card 4"), QStringLiteral("This card alters the next card (Card5)")),
            belowPosition(QStringLiteral("Card 5 - Autumn"),
                          QStringLiteral("This card signifies the finalization of the plan and how events "
                                         "will wind up.")),
            belowPosition(QStringLiteral("Card 6"), QStringLiteral("This card modifies the next card (Card 7)")),
            belowPosition(QStringLiteral("Card 7 - Winter"),
                          QStringLiteral("This represents the period of reflection as to what the querent "
                                         "may have learnt from the progression of the plan.")),
            belowPosition(QStringLiteral("Card 8"), QStringLiteral("This card alters Card 1.")),
        }));

    return spreads;
}

const QList<Spread> &catalogue()
{
    static const QList<Spread> spreads = buildCatalogue();
    return spreads;
}

} // namespace

const Spread *SpreadByIndex(SpreadIndex index)
{
    if (index < 0 || index >= kSpreadCount)
        return nullptr;
    return &catalogue().at(index);
}

const Spread *SpreadByName(const QString &name)
{
    // Tried in catalogue order; the names are distinct, so the first match is the only one.
    for (const Spread &spread : catalogue()) {
        if (spread.listName == name)
            return &spread;
    }
    return nullptr;
}

const SpreadPosition *PositionText(const Spread &spread, int position)
{
    if (position < 1 || position > spread.positions.size())
        return nullptr;
    return &spread.positions.at(position - 1);
}

const SpreadPosition *PositionText(SpreadIndex index, int position)
{
    const Spread *spread = SpreadByIndex(index);
    return spread ? PositionText(*spread, position) : nullptr;
}

const SpreadPosition *PositionText(const QString &spreadName, int position)
{
    const Spread *spread = SpreadByName(spreadName);
    return spread ? PositionText(*spread, position) : nullptr;
}

QString SpreadPicturePath(const QString &programFolder, SpreadIndex index)
{
    return programFolder + QStringLiteral("/pic/c") + QString::number(index) + QStringLiteral(".jpg");
}

} // namespace kesto
