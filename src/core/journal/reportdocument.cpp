#include "core/journal/reportdocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kesto {

namespace {

const QString kBlocks = QStringLiteral("blocks");
const QString kAlign = QStringLiteral("align");
const QString kRule = QStringLiteral("rule");
const QString kRuns = QStringLiteral("runs");
const QString kWeight = QStringLiteral("weight");
const QString kUnderline = QStringLiteral("underline");
const QString kText = QStringLiteral("text");

QJsonObject charFormatObject(const QTextCharFormat &format)
{
    QJsonObject object;
    if (format.hasProperty(QTextFormat::FontWeight))
        object.insert(kWeight, format.fontWeight());
    if (format.fontUnderline())
        object.insert(kUnderline, true);
    return object;
}

QTextCharFormat charFormatFrom(const QJsonObject &object)
{
    QTextCharFormat format;
    if (object.contains(kWeight))
        format.setFontWeight(object.value(kWeight).toInt());
    format.setFontUnderline(object.value(kUnderline).toBool());
    return format;
}

} // namespace

QByteArray EncodeReport(const QTextDocument &document)
{
    QJsonArray blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QJsonObject object;
        object.insert(kAlign, int(format.alignment()));
        if (format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
            const QTextLength width = format.lengthProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
            object.insert(kRule, QJsonArray{int(width.type()), width.rawValue()});
        }
        QJsonArray runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QJsonObject run = charFormatObject(fragment.charFormat());
            run.insert(kText, fragment.text());
            runs.append(run);
        }
        object.insert(kRuns, runs);
        blocks.append(object);
    }
    return QJsonDocument(QJsonObject{{kBlocks, blocks}}).toJson(QJsonDocument::Compact);
}

bool DecodeReport(const QByteArray &report, QTextDocument &document)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(report, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return false;
    const QJsonArray blocks = json.object().value(kBlocks).toArray();
    if (blocks.isEmpty())
        return false;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const QJsonValue &value : blocks) {
        const QJsonObject object = value.toObject();
        QTextBlockFormat format;
        format.setAlignment(Qt::Alignment(object.value(kAlign).toInt()));
        const QJsonArray rule = object.value(kRule).toArray();
        if (rule.size() == 2)
            format.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                               QTextLength(QTextLength::Type(rule.at(0).toInt()), rule.at(1).toDouble()));
        if (first)
            cursor.setBlockFormat(format);
        else
            cursor.insertBlock(format);
        first = false;
        for (const QJsonValue &runValue : object.value(kRuns).toArray()) {
            const QJsonObject run = runValue.toObject();
            cursor.insertText(run.value(kText).toString(), charFormatFrom(run));
        }
    }
    cursor.endEditBlock();
    return true;
}

} // namespace kesto
